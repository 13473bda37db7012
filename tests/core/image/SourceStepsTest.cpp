#include "core/image/SourceSteps.h"
#include "core/mirror/WindowRecord.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace kivo::test {
namespace {

WindowRecord windowShowing(const Rect& source, int inputWidth = 640, int inputHeight = 480)
{
    WindowRecord window;
    window.setInputSize(inputWidth, inputHeight);
    window.sourceRect = source;
    return window;
}

struct StepCase {
    const char* name;
    Rect source;
    ZoomKind kind;
    std::optional<Rect> expected; // nothing: the step does not move
    bool limit = false;
    int inputWidth = 640;
};
void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

class StepSourceTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepSourceTest, MovesOneStepWithinTheInput)
{
    const StepCase& c = GetParam();
    const auto step = stepSource(windowShowing(c.source, c.inputWidth), c.kind);
    ASSERT_EQ(step.has_value(), c.expected.has_value());
    if (step) {
        EXPECT_EQ(step->source, *c.expected);
        EXPECT_EQ(step->reachedZoomInLimit, c.limit);
    }
}

constexpr Rect full{0, 0, 640, 480};
constexpr Rect zoomedIn{32, 24, 608, 456};

INSTANTIATE_TEST_SUITE_P(
    Steps, StepSourceTest,
    ::testing::Values(
        // A 640 x 480 input steps 32 by 24 pixels.
        StepCase{"InOnTheFullPicture", full, ZoomKind::in, zoomedIn},
        StepCase{"OutBackToTheFullPicture", zoomedIn, ZoomKind::out, full},
        StepCase{"OutAtTheLeftEdgeGrowsToTheRight",
                 {0, 24, 576, 456},
                 ZoomKind::out,
                 Rect{0, 0, 608, 480}},
        StepCase{"OutOnTheFullPictureStays", full, ZoomKind::out, full},
        StepCase{"LeftAtZeroDoesNothing", {0, 24, 576, 456}, ZoomKind::left, std::nullopt},
        StepCase{"RightAtTheEdgeDoesNothing", {64, 24, 640, 456}, ZoomKind::right, std::nullopt},
        StepCase{"UpAtZeroDoesNothing", {32, 0, 608, 432}, ZoomKind::up, std::nullopt},
        StepCase{"DownAtTheEdgeDoesNothing", {32, 48, 608, 480}, ZoomKind::down, std::nullopt},
        StepCase{"Left", zoomedIn, ZoomKind::left, Rect{0, 24, 576, 456}},
        StepCase{"Right", zoomedIn, ZoomKind::right, Rect{64, 24, 640, 456}},
        StepCase{"Up", zoomedIn, ZoomKind::up, Rect{32, 0, 608, 432}},
        StepCase{"Down", zoomedIn, ZoomKind::down, Rect{32, 48, 608, 480}},
        // A typed source off the step grid stops at the edge instead of running past it.
        StepCase{"RightStopsAtTheEdge", {10, 0, 630, 480}, ZoomKind::right, Rect{20, 0, 640, 480}},
        StepCase{"LeftStopsAtTheEdge", {10, 0, 330, 240}, ZoomKind::left, Rect{0, 0, 320, 240}},
        StepCase{"OutStopsAtTheEdge", {0, 0, 630, 480}, ZoomKind::out, full},
        StepCase{"InNearTheSmallestSetsTheLimit",
                 {0, 0, 160, 120},
                 ZoomKind::in,
                 Rect{32, 24, 128, 96},
                 true},
        StepCase{"InOnTheSmallestKeepsItsSize",
                 {0, 0, 64, 48},
                 ZoomKind::in,
                 Rect{32, 24, 96, 72},
                 true},
        // 720 wide: a step of 36, and no source narrower than 72.
        StepCase{
            "InOnAWideInput", {0, 0, 720, 480}, ZoomKind::in, Rect{36, 24, 684, 456}, false, 720}),
    [](const auto& info) { return std::string(info.param.name); });

struct ButtonCase {
    const char* name;
    Rect source;
    bool zoomInLimit;
    ButtonStates expected;
};
void PrintTo(const ButtonCase& c, std::ostream* out) { *out << c.name; }

class ButtonStatesTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonStatesTest, FollowTheSourceRectangle)
{
    const ButtonCase& c = GetParam();
    EXPECT_EQ(buttonStates(windowShowing(c.source), c.zoomInLimit), c.expected);
}

using enum ArrowIcon;

INSTANTIATE_TEST_SUITE_P(
    Sources, ButtonStatesTest,
    ::testing::Values(
        ButtonCase{"FullPicture",
                   full,
                   false,
                   {leftAtLimit, rightAtLimit, upAtLimit, downAtLimit, false, false, false, true}},
        ButtonCase{
            "ZoomedInCentred", zoomedIn, false, {left, right, up, down, false, false, true, true}},
        ButtonCase{"AtTheTopLeft",
                   {0, 0, 576, 432},
                   false,
                   {leftAtLimit, right, upAtLimit, down, true, true, true, true}},
        ButtonCase{"OffCentreByOnePixel",
                   {33, 24, 609, 456},
                   false,
                   {left, right, up, down, false, false, true, true}},
        ButtonCase{
            "InAtItsLimit", zoomedIn, true, {left, right, up, down, false, false, true, false}},
        ButtonCase{"TooSmallForAnotherIn",
                   {0, 0, 128, 96},
                   false,
                   {leftAtLimit, right, upAtLimit, down, true, true, true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    const char* text;
    std::optional<SourceRequest> expected;
};
void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class SourceTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(SourceTextTest, TakesExactlyFourNumbers)
{
    EXPECT_EQ(parseSourceText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SourceTextTest,
    ::testing::Values(TextCase{"FourNumbers", "0 0 640 100", SourceRequest{0, 0, 640, 100}},
                      TextCase{"WideBlanks", "  0  0  640  480 ", SourceRequest{0, 0, 640, 480}},
                      TextCase{"ReadFromTheFirstNumber", "source: 10 20 30 40",
                               SourceRequest{10, 20, 30, 40}},
                      TextCase{"Negative", "-10 0 640 480", SourceRequest{-10, 0, 640, 480}},
                      TextCase{"HugeIsHeldAtTheBound", "0 0 99999999999 480",
                               SourceRequest{0, 0, 2147483647, 480}},
                      TextCase{"ThreeNumbers", "0 0 640", std::nullopt},
                      TextCase{"FiveNumbers", "1 0 0 640 480", std::nullopt},
                      TextCase{"Empty", "", std::nullopt},
                      TextCase{"Words", "left top width height", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::test
