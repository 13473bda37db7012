#include "core/mirror/CanvasMapping.h"
#include "core/mirror/DeviceMirror.h"

#include <gtest/gtest.h>

#include <climits>

namespace kivo::test {
namespace {

DeviceMirror canvas(int left, int top, int width, int height)
{
    DeviceMirror mirror;
    mirror.canvasLeft = left;
    mirror.canvasTop = top;
    mirror.canvasWidth = width;
    mirror.canvasHeight = height;
    return mirror;
}

TEST(CanvasMapping, ScalesEachCornerMultiplyingFirstAndTruncating)
{
    const DeviceMirror mirror = canvas(11, 19, 354, 251);
    EXPECT_EQ(outputToCanvas(mirror, {0, 0, 640, 480}, 640, 480), (Rect{11, 19, 365, 270}));
    EXPECT_EQ(canvasToOutput(mirror, {11, 19, 365, 270}, false, 640, 480), (Rect{0, 0, 640, 480}));
    EXPECT_EQ(canvasToOutput(mirror, {100, 100, 101, 101}, false, 1024, 768),
              (Rect{257, 247, 260, 250}));
    EXPECT_EQ(canvasToOutput(mirror, {100, 100, 101, 101}, true, 1024, 768),
              (Rect{0, 0, 1024, 768}));
}

// Values no device has must not overflow, or divide by zero or by a negative size.
TEST(CanvasMapping, HostileSizesGiveNothingAndNeverOverflow)
{
    EXPECT_EQ(outputToCanvas(canvas(0, 0, 640, 480), {INT_MIN, 0, 10, 10}, -1, 480), Rect{});
    EXPECT_EQ(canvasToOutput(canvas(0, 0, -1, 480), {INT_MIN, 0, 10, 10}, false, -1, 480), Rect{});
    const Rect far = outputToCanvas(canvas(INT_MAX, 0, INT_MAX, 480), {INT_MAX, 0, 1, 1}, 1, 480);
    EXPECT_EQ(far.left, INT_MAX);
    const Rect wide = canvasToOutput(canvas(INT_MIN, 0, 1, 1), {INT_MAX, 0, 0, 0}, false, 65535, 1);
    EXPECT_EQ(wide.left, INT_MAX);
}

} // namespace
} // namespace kivo::test
