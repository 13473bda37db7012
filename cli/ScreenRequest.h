#pragma once

#include "core/base/Rect.h"

#include <string>
#include <vector>

namespace kivo::cli {

// What arrange, place and windows ask of the Virtual Screen, read from the words that follow
// the action.
struct ScreenRequest {
    // arrange: a preset mode (2 grid .. 7 bottom-left), or 0 with a user arrangement.
    int presetMode = 0;
    int userArrangement = 0; // arrange user N: 1..4
    // place: the one window; windows: each window to switch, in the order given.
    std::vector<int> windows;
    bool on = false; // windows on|off
    Rect output;     // place: left, top, right, bottom in output pixels
    bool operator==(const ScreenRequest&) const = default;
};

// The largest distance from the output's corner a rectangle edge or size may have; the
// panel reads no rectangle beyond it back from the device either.
inline constexpr int maxOutputCoordinate = 65535;

// Reads the operands of `action` ("arrange", "place" or "windows") into `request`; returns
// an error line, or an empty string when the operands are usable.
std::string parseScreenRequest(const std::string& action, const std::vector<std::string>& operands,
                               ScreenRequest& request);

} // namespace kivo::cli
