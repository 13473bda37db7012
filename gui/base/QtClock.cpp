#include "gui/base/QtClock.h"

#include "core/base/BusyHandler.h"

#include <algorithm>

namespace kivo::gui {
namespace {

// Short enough that the window answers at once, long enough to cost nothing.
constexpr int sliceMs = 10;

} // namespace

void QtClock::sleepMs(int ms)
{
    const std::int64_t end = steady_.nowMs() + ms;
    for (std::int64_t left = ms; left > 0; left = end - steady_.nowMs()) {
        steady_.sleepMs(static_cast<int>(std::min<std::int64_t>(left, sliceMs)));
        busy_.whileBusy();
    }
}

} // namespace kivo::gui
