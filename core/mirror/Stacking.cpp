#include "core/mirror/Stacking.h"

#include "core/mirror/DeviceMirror.h"

#include <algorithm>
#include <array>

namespace kivo {
namespace {

// Places beyond this are not stacking positions but garbage.
constexpr int highestPlace = 20;

} // namespace

int renumberPriorities(DeviceMirror& mirror)
{
    std::array<int, DeviceMirror::maxWindows> order{};
    int stacked = 0;
    for (int index = 0; index < static_cast<int>(DeviceMirror::maxWindows); ++index) {
        const int place = mirror.windows[static_cast<std::size_t>(index)].priority;
        if (place >= 1 && place <= highestPlace)
            order[static_cast<std::size_t>(stacked++)] = index;
    }
    std::stable_sort(order.begin(), order.begin() + stacked, [&](int a, int b) {
        return mirror.windows[static_cast<std::size_t>(a)].priority <
               mirror.windows[static_cast<std::size_t>(b)].priority;
    });
    for (WindowRecord& window : mirror.windows)
        window.priority = 0;
    const int kept = std::min(stacked, static_cast<int>(mirror.windowCount));
    for (int place = 1; place <= kept; ++place)
        mirror.windows[static_cast<std::size_t>(order[static_cast<std::size_t>(place - 1)])]
            .priority = place;
    // A swap cannot wait on a window that is off: its marker is gone.
    if (mirror.blinkEnabled >= 1 &&
        mirror.blinkEnabled <= static_cast<int>(DeviceMirror::maxWindows) &&
        mirror.window(mirror.blinkEnabled).priority == 0) {
        mirror.window(mirror.blinkEnabled).blink = false;
        mirror.blinkEnabled = 0;
    }
    return kept > 0 ? order[0] + 1 : 0;
}

unsigned countWindowsOn(const DeviceMirror& mirror)
{
    return static_cast<unsigned>(
        std::count_if(mirror.windows.begin(), mirror.windows.end(),
                      [](const WindowRecord& w) { return w.priority != 0; }));
}

} // namespace kivo
