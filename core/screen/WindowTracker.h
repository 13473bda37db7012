#pragma once

#include "core/base/Rect.h"

#include <array>
#include <optional>

namespace kivo {

// What a point on a window's frame grabs: a corner, a side or the middle (which moves the
// whole window). The numbers are the hit codes the cursors are chosen by.
enum class Handle {
    none = -1,
    topLeft = 0,
    topRight = 1,
    bottomRight = 2,
    bottomLeft = 3,
    top = 4,
    right = 5,
    bottom = 6,
    left = 7,
    middle = 8,
};

// The sizing handles of a window's view rectangle and what a drag on them does. The handles
// lie inside the rectangle: a square in each corner, and one in the middle of each side that
// is long enough to hold it.
class WindowTracker {
public:
    static constexpr int handleSize = 7;
    static constexpr int cornerHandles = 4;
    static constexpr int allHandles = 8;

    // The side of a handle square: 7, or half the smaller side of a rectangle shorter than 14.
    static int handleSizeFor(const Rect& view);
    // Handle `index` (0..7) of the rectangle, or nothing when that side is too short for one.
    static std::optional<Rect> handleRect(const Rect& view, int index);
    // Every handle shown, corners first.
    static std::array<std::optional<Rect>, allHandles> handles(const Rect& view);
    // What `point` grabs: the first handle that holds it, else the middle, else nothing.
    static Handle hitTest(const Rect& view, Point point);
    // The rectangle after the point that grabbed `handle` at `grab` moved to `now`: the edges
    // the handle moves follow the pointer, never closer than the minimum view size to the
    // edges that stay (the window cannot be turned inside out).
    static Rect dragged(const Rect& start, Handle handle, Point grab, Point now);
};

} // namespace kivo
