#include "gui/terminal/TerminalEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace kivo::gui {

TerminalEdit::TerminalEdit(int controlId, QWidget* parent)
    : QPlainTextEdit(parent), controlId_(controlId)
{
    setLineWrapMode(NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the box as in any dialog; undo would rewrite the device's transcript.
    setTabChangesFocus(true);
    setUndoRedoEnabled(false);
    // The text can be selected and copied; it is changed only through the model.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TerminalEdit::moveCaretToEnd()
{
    QTextCursor caret = textCursor();
    caret.movePosition(QTextCursor::End);
    setTextCursor(caret);
    ensureCursorVisible();
}

void TerminalEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        Q_EMIT pasted(QGuiApplication::clipboard()->text());
    } else if (event->key() == Qt::Key_Backspace) {
        Q_EMIT erased();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT entered();
    } else if (!event->text().isEmpty() && event->text().front().isPrint()) {
        Q_EMIT typed(event->text());
    } else {
        // Moving the caret, selecting, copying.
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TerminalEdit::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    moveCaretToEnd();
}

} // namespace kivo::gui
