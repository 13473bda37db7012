#include "gui/base/QtBusyHandler.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kivo::gui {
namespace {

// A mouse release is let through: it only ends a press made before the device got busy (a
// zoom button held down while it repeats), and without its press it clicks nothing.
bool isOperatorInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

void QtBusyHandler::whileBusy()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    application->installEventFilter(this);
    QCoreApplication::processEvents();
    application->removeEventFilter(this);
}

bool QtBusyHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        abortRequested_ = true;
        event->ignore();
        return true;
    }
    return isOperatorInput(*event);
}

} // namespace kivo::gui
