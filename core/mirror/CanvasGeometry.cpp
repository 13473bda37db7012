#include "core/mirror/CanvasGeometry.h"

#include "core/mirror/DeviceMirror.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kivo {
namespace {

int clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// `value` x `numerator` / `denominator` in 64 bits, truncated toward zero as 32-bit arithmetic
// would, so that no value from the wire can overflow the mapping.
int scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    return clampToInt(value * numerator / denominator);
}

int viewXToOutput(int x, int outputWidth)
{
    return scale(std::int64_t{x} - canvas::mapOrigin.x, outputWidth, canvas::mapWidth);
}

int viewYToOutput(int y, int outputHeight)
{
    return scale(std::int64_t{y} - canvas::mapOrigin.y, outputHeight, canvas::mapHeight);
}

// One axis of a frame, and of the output rectangle it last stood for.
struct Span {
    int low;
    int high;
    std::int64_t length() const { return std::int64_t{high} - low; }
};

// The output span of an axis whose frame may have moved: an edge that stayed keeps its output
// coordinate, a shift that kept the frame's length keeps the output length.
Span followFrame(Span frame, Span placed, Span output, const auto& toOutput)
{
    if (frame.low != placed.low && frame.length() == placed.length()) {
        const int low = toOutput(frame.low);
        return {low, clampToInt(low + output.length())};
    }
    return {frame.low == placed.low ? output.low : toOutput(frame.low),
            frame.high == placed.high ? output.high : toOutput(frame.high)};
}

} // namespace

std::optional<Rect> mapOutputToView(const Rect& output, int outputWidth, int outputHeight)
{
    if (outputWidth <= 0 || outputHeight <= 0)
        return std::nullopt;
    const auto x = [&](int value) {
        return clampToInt(std::int64_t{scale(value, canvas::mapWidth, outputWidth)} +
                          canvas::mapOrigin.x);
    };
    const auto y = [&](int value) {
        return clampToInt(std::int64_t{scale(value, canvas::mapHeight, outputHeight)} +
                          canvas::mapOrigin.y);
    };
    Rect view{x(output.left), y(output.top), x(output.right), y(output.bottom)};
    // Compared in 64 bits: the corners of a hostile rectangle can be a whole int range apart.
    if (std::int64_t{view.right} - view.left < canvas::minViewWidth)
        view.right = clampToInt(std::int64_t{view.left} + canvas::minViewWidth);
    if (std::int64_t{view.bottom} - view.top < canvas::minViewHeight)
        view.bottom = clampToInt(std::int64_t{view.top} + canvas::minViewHeight);
    return view;
}

Rect mapViewToOutput(const Rect& view, bool maximised, int outputWidth, int outputHeight)
{
    if (maximised)
        return {0, 0, outputWidth, outputHeight};
    const auto x = [&](int value) { return viewXToOutput(value, outputWidth); };
    const auto y = [&](int value) { return viewYToOutput(value, outputHeight); };
    return {x(view.left), y(view.top), x(view.right), y(view.bottom)};
}

void outputToView(DeviceMirror& mirror, int number, const Rect& output)
{
    WindowRecord& window = mirror.window(number);
    window.destRect = output;
    if (const auto view =
            mapOutputToView(output, mirror.outputTiming.HACT, mirror.outputTiming.VACT))
        window.viewRect = *view;
    window.placedView = window.viewRect;
}

Rect outputRectOf(const DeviceMirror& mirror, int number)
{
    const WindowRecord& window = mirror.window(number);
    const int width = mirror.outputTiming.HACT;
    const int height = mirror.outputTiming.VACT;
    const Rect& view = window.viewRect;
    if (window.maximised || !window.placedView)
        return mapViewToOutput(view, window.maximised, width, height);
    const Rect& placed = *window.placedView;
    const auto x = [&](int value) { return viewXToOutput(value, width); };
    const auto y = [&](int value) { return viewYToOutput(value, height); };
    const Rect& d = window.destRect;
    const Span across =
        followFrame({view.left, view.right}, {placed.left, placed.right}, {d.left, d.right}, x);
    const Span down =
        followFrame({view.top, view.bottom}, {placed.top, placed.bottom}, {d.top, d.bottom}, y);
    return {across.low, down.low, across.high, down.high};
}

void viewToOutput(DeviceMirror& mirror, int number)
{
    WindowRecord& window = mirror.window(number);
    window.destRect = outputRectOf(mirror, number);
    window.placedView = window.viewRect;
}

} // namespace kivo
