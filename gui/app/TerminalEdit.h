#pragma once

#include <QPlainTextEdit>

namespace kivo::gui {

// The Terminal's command line: a multi-line box in which typing always continues the last
// line and the prompt in front of it cannot be erased. Enter and Tab are never checked here;
// the Terminal page sends a line when Enter adds one.
class TerminalEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    TerminalEdit(int controlId, QWidget* parent);

    int controlId() const { return controlId_; }
    int lineCount() const { return blockCount(); }
    QString line(int index) const;
    QString lastLine() const { return line(lineCount() - 1); }
    void moveCaretToEnd();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool caretOnLastLine() const;

    int controlId_;
};

} // namespace kivo::gui
