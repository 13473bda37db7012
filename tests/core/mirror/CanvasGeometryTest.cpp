#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/DeviceMirror.h"

#include <gtest/gtest.h>

#include <climits>

namespace kivo::test {
namespace {

TEST(CanvasGeometry, IsTheGroupBoxLessItsFrame)
{
    EXPECT_EQ(canvas::canvasRect, (Rect{11, 19, 364, 270}));
    EXPECT_EQ(canvas::mapOrigin, (Point{11, 19}));
    EXPECT_EQ(canvas::mapWidth, 354);
    EXPECT_EQ(canvas::mapHeight, 251);
}

struct OutputToViewCase {
    Rect output;
    int width;
    int height;
    Rect view;
};

class OutputToView : public ::testing::TestWithParam<OutputToViewCase> {};

TEST_P(OutputToView, ScalesMultiplyingFirstAndKeepsTheMinimumSize)
{
    const OutputToViewCase& c = GetParam();
    EXPECT_EQ(mapOutputToView(c.output, c.width, c.height), c.view);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputToView,
    ::testing::Values(OutputToViewCase{{0, 0, 320, 240}, 640, 480, {11, 19, 188, 144}},
                      OutputToViewCase{{0, 0, 640, 480}, 640, 480, {11, 19, 365, 270}},
                      // A tiny window still gets a frame that can be grabbed: 44 x 33.
                      OutputToViewCase{{10, 10, 12, 12}, 640, 480, {16, 24, 60, 57}},
                      // 32 high is too low; 44 wide is wide enough.
                      OutputToViewCase{{0, 0, 80, 61}, 640, 480, {11, 19, 55, 52}},
                      OutputToViewCase{{-640, -480, 0, 0}, 640, 480, {-343, -232, 11, 19}}));

TEST(CanvasGeometry, ViewToOutputInvertsTheMappingAndCoversAllWhenMaximised)
{
    EXPECT_EQ(mapViewToOutput({11, 19, 365, 270}, false, 640, 480), (Rect{0, 0, 640, 480}));
    EXPECT_EQ(mapViewToOutput({100, 100, 101, 101}, false, 1024, 768), (Rect{257, 247, 260, 250}));
    EXPECT_EQ(mapViewToOutput({100, 100, 101, 101}, true, 1024, 768), (Rect{0, 0, 1024, 768}));
    // Left of the origin truncates toward zero, as 32-bit division does.
    EXPECT_EQ(mapViewToOutput({10, 18, 50, 50}, false, 640, 480), (Rect{-1, -1, 70, 59}));
}

// Values no device has must not overflow, or divide by zero or by a negative size.
TEST(CanvasGeometry, HostileSizesGiveNothingAndNeverOverflow)
{
    EXPECT_EQ(mapOutputToView({INT_MIN, 0, 10, 10}, -1, 480), std::nullopt);
    EXPECT_EQ(mapOutputToView({INT_MIN, 0, 10, 10}, 640, 0), std::nullopt);
    const auto far = mapOutputToView({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, 1, 1);
    ASSERT_TRUE(far);
    EXPECT_EQ(far->left, INT_MAX);
    const auto wide = mapOutputToView({INT_MIN, 0, INT_MAX, 10}, 1, 480);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->left, INT_MIN + 11);
    EXPECT_EQ(wide->right, INT_MAX);
    EXPECT_EQ(mapViewToOutput({INT_MAX, INT_MIN, 0, 0}, false, 65535, 65535).left, INT_MAX);
}

TEST(CanvasGeometry, WindowOperationsUseTheOutputTiming)
{
    DeviceMirror mirror;
    mirror.outputTiming.HACT = 640;
    mirror.outputTiming.VACT = 480;
    outputToView(mirror, 3, {0, 0, 320, 240});
    EXPECT_EQ(mirror.window(3).viewRect, (Rect{11, 19, 188, 144}));
    mirror.window(3).maximised = true;
    viewToOutput(mirror, 3);
    EXPECT_EQ(mirror.window(3).destRect, (Rect{0, 0, 640, 480}));
    mirror.outputTiming.HACT = 0;
    outputToView(mirror, 3, {0, 0, 10, 10});
    EXPECT_EQ(mirror.window(3).viewRect, (Rect{11, 19, 188, 144}));
}

} // namespace
} // namespace kivo::test
