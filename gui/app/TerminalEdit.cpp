#include "gui/app/TerminalEdit.h"

#include "gui/app/QtStrings.h"

#include <QKeyEvent>
#include <QTextBlock>

namespace kivo::gui {
namespace {

// Below this, a character is a control key (Enter, Tab, Backspace...) rather than text.
constexpr char16_t firstPrintable = 27;

bool isPrintable(const QKeyEvent& key)
{
    return !key.text().isEmpty() && key.text().front().unicode() >= firstPrintable;
}

} // namespace

TerminalEdit::TerminalEdit(int controlId, QWidget* parent)
    : QPlainTextEdit(parent), controlId_(controlId)
{
    setLineWrapMode(NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the box as in any dialog; undo would rewrite the device's transcript.
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
}

QString TerminalEdit::line(int index) const { return document()->findBlockByNumber(index).text(); }

void TerminalEdit::moveCaretToEnd()
{
    QTextCursor caret = textCursor();
    caret.movePosition(QTextCursor::End);
    setTextCursor(caret);
    ensureCursorVisible();
}

bool TerminalEdit::caretOnLastLine() const { return textCursor().blockNumber() == lineCount() - 1; }

void TerminalEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Backspace && toPlainText().endsWith(qtString(StringId::prompt))) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Shift+Enter would break the line inside the paragraph, and no line would be sent.
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (isPrintable(*event) && !caretOnLastLine())
        moveCaretToEnd();
    QPlainTextEdit::keyPressEvent(event);
}

void TerminalEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    moveCaretToEnd();
}

} // namespace kivo::gui
