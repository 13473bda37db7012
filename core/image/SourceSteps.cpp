#include "core/image/SourceSteps.h"

#include "core/mirror/WindowRecord.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"

#include <algorithm>
#include <cstdlib>

namespace kivo {
namespace {

// Moves [start, end) by whole pixels so that it lies within [low, high] where it fits; a
// span longer than the room keeps its start at `low`.
void shiftInside(int& start, int& end, int low, int high)
{
    if (end > high) {
        start -= end - high;
        end = high;
    }
    if (start < low) {
        end += low - start;
        start = low;
    }
}

int minimumWidth(const WindowRecord& w) { return w.adjustRect.left; }
int minimumHeight(const WindowRecord& w) { return w.adjustRect.top; }
int maximumLeft(const WindowRecord& w) { return w.adjustRect.right; }
int maximumTop(const WindowRecord& w) { return w.adjustRect.bottom; }

// One axis of a zoom-out: each edge moves out by a step unless it is at the input's edge.
void zoomOutAxis(int& start, int& end, int step, int low, int size)
{
    if (end - start >= size)
        return;
    if (end < size)
        end += step;
    if (start > low)
        start -= step;
}

} // namespace

ButtonStates buttonStates(const WindowRecord& w, bool zoomInLimit)
{
    const Rect& s = w.sourceRect;
    ButtonStates states;
    states.left = w.sourceMinLeft >= s.left ? ArrowIcon::leftAtLimit : ArrowIcon::left;
    states.right = s.right >= w.inputWidth ? ArrowIcon::rightAtLimit : ArrowIcon::right;
    states.up = w.sourceMinTop >= s.top ? ArrowIcon::upAtLimit : ArrowIcon::up;
    states.down = s.bottom >= w.inputHeight ? ArrowIcon::downAtLimit : ArrowIcon::down;
    states.centerHorizontal = std::abs(s.left - (s.left + w.inputWidth - s.right) / 2) > 1;
    states.centerVertical = std::abs(s.top - (s.top + w.inputHeight - s.bottom) / 2) > 1;
    states.zoomOut = w.sourceMinLeft < s.left || w.sourceMinTop < s.top ||
                     s.width() < w.inputWidth || s.height() < w.inputHeight;
    states.zoomIn = !zoomInLimit && s.width() - 2 * w.zoomStepX > minimumWidth(w) &&
                    s.height() - 2 * w.zoomStepY > minimumHeight(w);
    return states;
}

std::optional<SourceStep> stepSource(const WindowRecord& w, ZoomKind kind)
{
    Rect s = w.sourceRect;
    const int sx = w.zoomStepX;
    const int sy = w.zoomStepY;
    bool limit = false;
    switch (kind) {
    case ZoomKind::in:
        s = s.inflated(-sx, -sy);
        limit = s.width() - 2 * sx < minimumWidth(w) || s.height() - 2 * sy < minimumHeight(w);
        break;
    case ZoomKind::out:
        zoomOutAxis(s.left, s.right, sx, w.sourceMinLeft, w.inputWidth);
        zoomOutAxis(s.top, s.bottom, sy, w.sourceMinTop, w.inputHeight);
        break;
    case ZoomKind::left:
        if (s.left <= w.sourceMinLeft)
            return std::nullopt;
        s = s.translated(-sx, 0);
        break;
    case ZoomKind::right:
        if (s.right >= w.inputWidth)
            return std::nullopt;
        s = s.translated(sx, 0);
        break;
    case ZoomKind::up:
        if (s.top <= w.sourceMinTop)
            return std::nullopt;
        s = s.translated(0, -sy);
        break;
    case ZoomKind::down:
        if (s.bottom >= w.inputHeight)
            return std::nullopt;
        s = s.translated(0, sy);
        break;
    }
    return SourceStep{clampSource(w, s), limit};
}

Rect clampSource(const WindowRecord& w, Rect s)
{
    shiftInside(s.left, s.right, w.sourceMinLeft, w.inputWidth);
    shiftInside(s.top, s.bottom, w.sourceMinTop, w.inputHeight);
    s.left = std::max(w.sourceMinLeft, std::min(s.left, maximumLeft(w)));
    s.top = std::max(w.sourceMinTop, std::min(s.top, maximumTop(w)));
    s.right = std::max(s.left + minimumWidth(w), std::min(s.right, s.left + w.inputWidth));
    s.bottom = std::max(s.top + minimumHeight(w), std::min(s.bottom, s.top + w.inputHeight));
    return s;
}

Rect centeredHorizontally(const WindowRecord& w)
{
    Rect s = w.sourceRect;
    const int left = (s.left + w.inputWidth - s.right) / 2;
    return {left, s.top, s.right + left - s.left, s.bottom};
}

Rect centeredVertically(const WindowRecord& w)
{
    Rect s = w.sourceRect;
    const int top = (s.top + w.inputHeight - s.bottom) / 2;
    return {s.left, top, s.right, s.bottom + top - s.top};
}

std::optional<SourceRequest> parseSourceText(std::string_view text)
{
    constexpr int valuesInARectangle = 4;
    if (countNumbers(text, 0) != valuesInARectangle)
        return std::nullopt;
    NumberCursor numbers(text, 0);
    SourceRequest request;
    request.left = numbers.take();
    request.top = numbers.take();
    request.width = numbers.take();
    request.height = numbers.take();
    return request;
}

} // namespace kivo
