#pragma once

#include <algorithm>

namespace kivo {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle as left, top, right, bottom; commands carry left, top, width, height instead.
// Like a screen rectangle it holds its left and top edges but not its right and bottom ones.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool intersects(const Rect& other) const { return !intersected(other).isEmpty(); }
    Rect intersected(const Rect& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    // The same rectangle with left <= right and top <= bottom.
    Rect normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
    }
    Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    bool operator==(const Rect&) const = default;
};

} // namespace kivo
