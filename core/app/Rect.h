#pragma once

namespace kivo {

// A rectangle as left, top, right, bottom; commands carry left, top, width, height instead.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

} // namespace kivo
