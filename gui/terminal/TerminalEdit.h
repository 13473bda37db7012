#pragma once

#include <QPlainTextEdit>

namespace kivo::gui {

// The Terminal's text box. It only shows the text it is given; what the operator types,
// erases, pastes or ends with Enter is handed on, never put into the box here, so the text
// the device sees is always the Terminal model's.
class TerminalEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    TerminalEdit(int controlId, QWidget* parent);

    int controlId() const { return controlId_; }
    int lineCount() const { return blockCount(); }
    void moveCaretToEnd();

Q_SIGNALS:
    void typed(const QString& text);
    void erased();
    void entered();
    void pasted(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int controlId_;
};

} // namespace kivo::gui
