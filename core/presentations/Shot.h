#pragma once

#include "core/base/Rect.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// One complete window configuration of a presentation: which windows are on, their stacking
// places and their rectangles on the canvas, held for a number of milliseconds.
struct Shot {
    static constexpr int windows = 10;
    static constexpr int minMsecs = 800;
    static constexpr int maxMsecs = 9999999;
    static constexpr int fallbackMsecs = 4000;
    static constexpr std::size_t maxNameLength = 128;
    // Ends the name inside a stored shot line, so no shot name contains it.
    static constexpr char shotNameDelimiter = '~';

    std::array<int, windows> priority{}; // 1 front-most; 0 off
    std::array<Rect, windows> rect{};    // canvas pixels, normalised
    std::string name;
    int msecs = fallbackMsecs;

    static bool validMsecs(long msecs) { return msecs >= minMsecs && msecs <= maxMsecs; }
    bool operator==(const Shot&) const = default;
};

// The shot as one ini value: hold time, name, the delimiter, then for each stacking place
// from the front the window at it and its rectangle ("4000 Intro~ 3 11 19 188 144").
std::string formatShotLine(const Shot& shot);

// A stored shot line; nothing for a line too short to be a shot or with a negative hold time
// (the "-1" of a blanked key). Out-of-range values are made harmless: a hold time outside
// 800..9999999 is 4000, an unknown window number is skipped, a rectangle is normalised.
std::optional<Shot> parseShotLine(std::string_view line);

} // namespace kivo
