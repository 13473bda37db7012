#include "core/mirror/CanvasMapping.h"

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
std::int64_t scale(std::int64_t value, std::int64_t numerator, std::int64_t denominator)
{
    return value * numerator / denominator;
}

} // namespace

Rect outputToCanvas(const DeviceMirror& m, const Rect& output, int hact, int vact)
{
    if (hact <= 0 || vact <= 0)
        return {};
    const auto x = [&](int value) {
        return clampToInt(scale(value, m.canvasWidth, hact) + m.canvasLeft);
    };
    const auto y = [&](int value) {
        return clampToInt(scale(value, m.canvasHeight, vact) + m.canvasTop);
    };
    return {x(output.left), y(output.top), x(output.right), y(output.bottom)};
}

Rect canvasToOutput(const DeviceMirror& m, const Rect& view, bool maximised, int hact, int vact)
{
    if (maximised)
        return {0, 0, hact, vact};
    if (m.canvasWidth <= 0 || m.canvasHeight <= 0)
        return {};
    const auto x = [&](int value) {
        return clampToInt(scale(std::int64_t{value} - m.canvasLeft, hact, m.canvasWidth));
    };
    const auto y = [&](int value) {
        return clampToInt(scale(std::int64_t{value} - m.canvasTop, vact, m.canvasHeight));
    };
    return {x(view.left), y(view.top), x(view.right), y(view.bottom)};
}

} // namespace kivo
