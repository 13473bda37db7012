#include "core/screen/ViewRules.h"

#include "core/mirror/CanvasGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace kivo {
namespace {

using canvas::canvasRect;

// Within this many pixels of a canvas edge, a window snaps to it.
constexpr int snapDistance = 5;
// Only a window narrower (lower) than the canvas by more than this snaps on that axis.
constexpr int snapRoom = 24;

bool isTopRightOrBottomLeft(Handle h) { return h == Handle::topRight || h == Handle::bottomLeft; }

bool isTopLeftOrBottomRight(Handle h) { return h == Handle::topLeft || h == Handle::bottomRight; }

// Moves one axis by `shift` when the edge lies within the snap distance of the target.
int snapShift(int edge, int target)
{
    return std::abs(edge - target) <= snapDistance ? target - edge : 0;
}

} // namespace

Rect clampToMapSize(Rect v)
{
    if (v.width() > canvas::mapWidth) {
        if (v.left < 0)
            v.left = v.right - canvas::mapWidth;
        else
            v.right = v.left + canvas::mapWidth;
    }
    if (v.height() > canvas::mapHeight) {
        if (v.top < 0)
            v.top = v.bottom - canvas::mapHeight;
        else
            v.bottom = v.top + canvas::mapHeight;
    }
    return v;
}

Rect keepVisible(Rect v)
{
    if (v.left > canvasRect.right - canvas::minViewWidth)
        v = v.translated(canvasRect.right - canvas::minViewWidth - v.left, 0);
    if (v.top > canvasRect.bottom - canvas::minViewHeight)
        v = v.translated(0, canvasRect.bottom - canvas::minViewHeight - v.top);
    if (v.right < canvasRect.left + canvas::minViewWidth)
        v = v.translated(canvasRect.left + canvas::minViewWidth - v.right, 0);
    if (v.bottom < canvasRect.top + canvas::minViewHeight)
        v = v.translated(0, canvasRect.top + canvas::minViewHeight - v.bottom);
    return v;
}

Rect snapToEdges(Rect v)
{
    if (canvasRect.width() - v.width() > snapRoom) {
        int shift = snapShift(v.left, canvasRect.left);
        if (shift == 0)
            shift = snapShift(v.right, canvasRect.right);
        v = v.translated(shift, 0);
    }
    if (canvasRect.height() - v.height() > snapRoom) {
        int shift = snapShift(v.top, canvasRect.top);
        if (shift == 0)
            shift = snapShift(v.bottom, canvasRect.bottom);
        v = v.translated(0, shift);
    }
    return v;
}

Rect applyCornerAspect(Rect v, Handle handle)
{
    if (isTopRightOrBottomLeft(handle))
        v.bottom = v.top + v.width() * 3 / 4;
    else if (isTopLeftOrBottomRight(handle))
        v.right = v.left + v.height() * 4 / 3;
    return v;
}

Rect restoreSizeFor(Rect v)
{
    v.right = v.left + std::min(v.width(), canvasRect.width() * 9 / 10);
    v.bottom = v.top + std::min(v.height(), canvasRect.height() * 9 / 10);
    return v;
}

Rect dragFeedback(Rect view, Handle handle)
{
    Rect v = applyCornerAspect(view.normalized(), handle);
    const int dx = canvasRect.width() / 10;
    const int dy = canvasRect.height() / 10;
    v.left = std::min(v.left, canvasRect.right - dx);
    v.top = std::min(v.top, canvasRect.bottom - dy);
    v.right = std::max(v.right, canvasRect.left + dx);
    v.bottom = std::max(v.bottom, canvasRect.top + dy);
    return v;
}

} // namespace kivo
