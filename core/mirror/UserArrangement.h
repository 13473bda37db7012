#pragma once

#include "core/app/Rect.h"

#include <array>
#include <string>

namespace kivo {

// One of the four window layouts the operator stores on the Virtual Screen page and keeps in
// the ini file ("CUSTOM1".."CUSTOM4"). Rectangles are in canvas pixels.
struct UserArrangement {
    static constexpr int count = 4;

    bool set = false;
    std::array<int, 10> priorities{};
    std::array<Rect, 10> rects{};
    std::string description;
};

} // namespace kivo
