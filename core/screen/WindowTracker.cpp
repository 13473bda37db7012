#include "core/screen/WindowTracker.h"

#include "core/mirror/CanvasGeometry.h"

#include <algorithm>

namespace kivo {
namespace {

// A side handle shows only when the side has room for it beside the corners.
constexpr int sideHandleRoom = 21 + 4;

struct MovedEdges {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

MovedEdges edgesOf(Handle handle)
{
    switch (handle) {
    case Handle::topLeft:
        return {true, true, false, false};
    case Handle::topRight:
        return {false, true, true, false};
    case Handle::bottomRight:
        return {false, false, true, true};
    case Handle::bottomLeft:
        return {true, false, false, true};
    case Handle::top:
        return {false, true, false, false};
    case Handle::right:
        return {false, false, true, false};
    case Handle::bottom:
        return {false, false, false, true};
    case Handle::left:
        return {true, false, false, false};
    case Handle::middle:
        return {true, true, true, true};
    case Handle::none:
        break;
    }
    return {};
}

} // namespace

int WindowTracker::handleSizeFor(const Rect& view)
{
    const Rect v = view.normalized();
    const int smaller = std::min(v.width(), v.height());
    return smaller < 2 * handleSize ? smaller / 2 : handleSize;
}

std::optional<Rect> WindowTracker::handleRect(const Rect& view, int index)
{
    const Rect v = view.normalized();
    const int s = handleSizeFor(v);
    const int midX = v.left + (v.width() - s) / 2;
    const int midY = v.top + (v.height() - s) / 2;
    const bool wide = v.width() > sideHandleRoom;
    const bool tall = v.height() > sideHandleRoom;
    switch (static_cast<Handle>(index)) {
    case Handle::topLeft:
        return Rect{v.left, v.top, v.left + s, v.top + s};
    case Handle::topRight:
        return Rect{v.right - s, v.top, v.right, v.top + s};
    case Handle::bottomRight:
        return Rect{v.right - s, v.bottom - s, v.right, v.bottom};
    case Handle::bottomLeft:
        return Rect{v.left, v.bottom - s, v.left + s, v.bottom};
    case Handle::top:
        return wide ? std::optional(Rect{midX, v.top, midX + s, v.top + s}) : std::nullopt;
    case Handle::right:
        return tall ? std::optional(Rect{v.right - s, midY, v.right, midY + s}) : std::nullopt;
    case Handle::bottom:
        return wide ? std::optional(Rect{midX, v.bottom - s, midX + s, v.bottom}) : std::nullopt;
    case Handle::left:
        return tall ? std::optional(Rect{v.left, midY, v.left + s, midY + s}) : std::nullopt;
    default:
        return std::nullopt;
    }
}

std::array<std::optional<Rect>, WindowTracker::allHandles> WindowTracker::handles(const Rect& view)
{
    std::array<std::optional<Rect>, allHandles> all;
    for (int index = 0; index < allHandles; ++index)
        all[static_cast<std::size_t>(index)] = handleRect(view, index);
    return all;
}

Handle WindowTracker::hitTest(const Rect& view, Point point)
{
    const Rect v = view.normalized();
    if (!v.contains(point))
        return Handle::none;
    for (int index = 0; index < allHandles; ++index) {
        const auto square = handleRect(v, index);
        if (square && square->contains(point))
            return static_cast<Handle>(index);
    }
    return v.inflated(1, 1).contains(point) ? Handle::middle : Handle::none;
}

Rect WindowTracker::dragged(const Rect& start, Handle handle, Point grab, Point now)
{
    const MovedEdges moved = edgesOf(handle);
    const int dx = now.x - grab.x;
    const int dy = now.y - grab.y;
    Rect r = start;
    if (moved.left)
        r.left += dx;
    if (moved.right)
        r.right += dx;
    if (moved.top)
        r.top += dy;
    if (moved.bottom)
        r.bottom += dy;
    if (handle == Handle::middle)
        return r;
    if (r.width() < canvas::minViewWidth) {
        if (moved.left)
            r.left = r.right - canvas::minViewWidth;
        else if (moved.right)
            r.right = r.left + canvas::minViewWidth;
    }
    if (r.height() < canvas::minViewHeight) {
        if (moved.top)
            r.top = r.bottom - canvas::minViewHeight;
        else if (moved.bottom)
            r.bottom = r.top + canvas::minViewHeight;
    }
    return r;
}

} // namespace kivo
