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
    const auto x = [&](int value) {
        return scale(std::int64_t{value} - canvas::mapOrigin.x, outputWidth, canvas::mapWidth);
    };
    const auto y = [&](int value) {
        return scale(std::int64_t{value} - canvas::mapOrigin.y, outputHeight, canvas::mapHeight);
    };
    return {x(view.left), y(view.top), x(view.right), y(view.bottom)};
}

void outputToView(DeviceMirror& mirror, int number, const Rect& output)
{
    if (const auto view =
            mapOutputToView(output, mirror.outputTiming.HACT, mirror.outputTiming.VACT))
        mirror.window(number).viewRect = *view;
}

void viewToOutput(DeviceMirror& mirror, int number)
{
    WindowRecord& window = mirror.window(number);
    window.destRect = mapViewToOutput(window.viewRect, window.maximised, mirror.outputTiming.HACT,
                                      mirror.outputTiming.VACT);
}

} // namespace kivo
