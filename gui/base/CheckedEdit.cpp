#include "gui/base/CheckedEdit.h"

#include "gui/base/EditRouter.h"

#include <QKeyEvent>

namespace kivo::gui {
namespace {

bool isTab(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
           !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool isEnter(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

CheckedEdit::CheckedEdit(int controlId, Mode mode, QWidget* parent)
    : QLineEdit(parent), controlId_(controlId), mode_(mode)
{
}

bool CheckedEdit::event(QEvent* event)
{
    // Tab moves the focus before keyPressEvent ever sees it, so it is caught here.
    if (event->type() == QEvent::KeyPress && isTab(*static_cast<QKeyEvent*>(event)) &&
        !runCheck(true)) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CheckedEdit::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(*event)) {
        runCheck(false);
        event->accept();
        return;
    }
    if (!event->text().isEmpty())
        typedSinceFocus_ = true;
    QLineEdit::keyPressEvent(event);
}

void CheckedEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    typedSinceFocus_ = false;
}

bool CheckedEdit::runCheck(bool tab)
{
    tabPressed_ = tab;
    if (mode_ == Mode::routed || mode_ == Mode::routedNumber) {
        auto* router = dynamic_cast<EditRouter*>(window());
        return !router || router->editCommitted(*this);
    }
    return !check_ || check_(*this);
}

} // namespace kivo::gui
