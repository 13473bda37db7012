#pragma once

#include "tests/support/PanelFixture.h"

#include "core/mirror/PanelState.h"
#include "core/screen/VirtualScreen.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace kivo::test {

// A connected panel whose device has `windowCount` windows on a 640 x 480 output, all present;
// windows are switched on and stacked by `stack` (front first) and the Virtual Screen runs in
// Immediately mode.
class ScreenFixture : public PanelFixture {
protected:
    ScreenFixture();

    DeviceMirror& mirror() { return state.mirror; }
    WindowRecord& window(int number) { return state.mirror.window(number); }
    // Windows in `front` first are on, in that order; every other window is off.
    void stack(std::initializer_list<int> front);
    void setWindowCount(unsigned count);
    // The commands written since the last call, without their line feeds.
    std::vector<std::string> sent();

    PanelState state;
    VirtualScreen screen{{app, channel, state, prompter, keys}};

private:
    std::size_t seen_ = 0;
};

} // namespace kivo::test
