#include "gui/image/AutoRepeatButton.h"

#include "core/image/AutoRepeat.h"

namespace kivo::gui {

AutoRepeatButton::AutoRepeatButton(ZoomKind kind, QWidget* parent)
    : QPushButton(parent), kind_(kind)
{
    setAutoDefault(false);
    timer_.setObjectName(QStringLiteral("timer%1").arg(timerId));
    timer_.setInterval(AutoRepeat::periodMs);
    connect(&timer_, &QTimer::timeout, this, &AutoRepeatButton::beat);
    connect(this, &QPushButton::released, this, &AutoRepeatButton::stopRepeating);
}

bool AutoRepeatButton::startRepeating()
{
    timer_.start();
    return timer_.isActive();
}

} // namespace kivo::gui
