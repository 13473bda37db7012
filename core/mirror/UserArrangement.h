#pragma once

#include "core/base/Rect.h"

#include <array>
#include <string>

namespace kivo {

class Profile;

// One of the four window layouts the operator stores on the Virtual Screen page and keeps in
// the ini file ("CUSTOM1".."CUSTOM4"). Rectangles are in canvas pixels.
struct UserArrangement {
    static constexpr int count = 4;
    static constexpr std::size_t maxNameLength = 22;

    bool set = false;
    std::array<int, 10> priorities{}; // 0: the window is off in this arrangement
    std::array<Rect, 10> rects{};
    std::string description; // the operator's name for it

    // Reads arrangement `number` (1..4) for the first `windowCount` windows; a number missing
    // from a stored rectangle leaves that edge as it was. Values that no panel writes are made
    // harmless: places outside 0..10 are off, coordinates stay near the canvas.
    void read(const Profile& profile, int number, unsigned windowCount);
    // Writes it as set, with the rectangles and places of the first `windowCount` windows, in
    // one write. False when the ini file could not be written (the reason is the profile's).
    bool write(Profile& profile, int number, unsigned windowCount) const;
    bool writeName(Profile& profile, int number) const;
};

} // namespace kivo
