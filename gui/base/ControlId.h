#pragma once

#include <QVariant>

namespace kivo::gui {

// Every control carries its resource id, so the tests and the edit router find it by number.
inline constexpr const char* controlIdProperty = "controlId";

template <typename Widget> Widget* withId(Widget* widget, int id)
{
    widget->setProperty(controlIdProperty, id);
    return widget;
}

} // namespace kivo::gui
