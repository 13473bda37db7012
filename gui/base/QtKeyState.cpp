#include "gui/base/QtKeyState.h"

#include <QGuiApplication>

namespace kivo::gui {

bool QtKeyState::shiftHeld() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool QtKeyState::altHeld() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

} // namespace kivo::gui
