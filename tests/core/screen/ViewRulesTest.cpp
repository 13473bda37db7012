#include "core/screen/ViewRules.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kivo::test {
namespace {

// The canvas is (11, 19, 364, 270); the whole output maps to 354 x 251.
struct RuleCase {
    std::string name;
    std::function<Rect(Rect)> rule;
    Rect before;
    Rect after;
};

class ViewRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ViewRule, CorrectsTheRectangle)
{
    EXPECT_EQ(GetParam().rule(GetParam().before), GetParam().after);
}

Rect corner(Rect r, Handle h) { return applyCornerAspect(r, h); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewRule,
    ::testing::Values(
        RuleCase{
            "ClampCutsTheRightAndBottomEdges", clampToMapSize, {0, 0, 400, 300}, {0, 0, 354, 251}},
        RuleCase{"ClampMovesTheLeftAndTopEdgesOfAWindowStartingAboveZero",
                 clampToMapSize,
                 {-50, -20, 350, 260},
                 {-4, 9, 350, 260}},
        RuleCase{
            "ClampLeavesAFittingWindow", clampToMapSize, {20, 20, 100, 100}, {20, 20, 100, 100}},
        RuleCase{"KeepVisiblePullsBackFromTheRightAndBottom",
                 keepVisible,
                 {400, 300, 500, 400},
                 {320, 237, 420, 337}},
        RuleCase{"KeepVisiblePullsBackFromTheLeftAndTop",
                 keepVisible,
                 {-200, -200, -100, -100},
                 {-45, -48, 55, 52}},
        RuleCase{
            "KeepVisibleLeavesAVisibleWindow", keepVisible, {50, 50, 150, 150}, {50, 50, 150, 150}},
        RuleCase{"SnapsThreePixelsFromTheLeftEdge",
                 snapToEdges,
                 {14, 100, 114, 150},
                 {11, 100, 111, 150}},
        RuleCase{"SnapsToTheRightEdge", snapToEdges, {200, 50, 361, 100}, {203, 50, 364, 100}},
        RuleCase{"SnapsToTheBottomEdge", snapToEdges, {100, 230, 200, 266}, {100, 234, 200, 270}},
        RuleCase{"SixPixelsAwayDoesNotSnap", snapToEdges, {17, 100, 117, 150}, {17, 100, 117, 150}},
        RuleCase{"AWindowNearlyAsWideAsTheCanvasSnapsOnlyVertically",
                 snapToEdges,
                 {14, 21, 354, 71},
                 {14, 19, 354, 69}},
        RuleCase{"TopLeftCornerSetsTheWidthFromTheHeight",
                 [](Rect r) { return corner(r, Handle::topLeft); },
                 {10, 10, 210, 110},
                 {10, 10, 143, 110}},
        RuleCase{"BottomRightCornerSetsTheWidthFromTheHeight",
                 [](Rect r) { return corner(r, Handle::bottomRight); },
                 {10, 10, 210, 110},
                 {10, 10, 143, 110}},
        RuleCase{"TopRightCornerSetsTheHeightFromTheWidth",
                 [](Rect r) { return corner(r, Handle::topRight); },
                 {10, 10, 210, 110},
                 {10, 10, 210, 160}},
        RuleCase{"BottomLeftCornerSetsTheHeightFromTheWidth",
                 [](Rect r) { return corner(r, Handle::bottomLeft); },
                 {10, 10, 210, 110},
                 {10, 10, 210, 160}},
        RuleCase{"ASideKeepsItsShape",
                 [](Rect r) { return corner(r, Handle::top); },
                 {10, 10, 210, 110},
                 {10, 10, 210, 110}},
        RuleCase{"RestoreSizeIsAtMostNineTenthsOfTheCanvas",
                 restoreSizeFor,
                 {0, 0, 400, 300},
                 {0, 0, 317, 225}},
        RuleCase{"RestoreSizeKeepsASmallWindow", restoreSizeFor, {5, 5, 100, 80}, {5, 5, 100, 80}},
        RuleCase{"DragFrameStaysWithinReachOfTheBottomRight",
                 [](Rect r) { return dragFeedback(r, Handle::middle); },
                 {350, 260, 450, 360},
                 {329, 245, 450, 360}},
        RuleCase{"DragFrameStaysWithinReachOfTheTopLeft",
                 [](Rect r) { return dragFeedback(r, Handle::middle); },
                 {-100, -100, 0, 0},
                 {-100, -100, 46, 44}},
        RuleCase{"DragFrameShowsTheCornerShape",
                 [](Rect r) { return dragFeedback(r, Handle::topRight); },
                 {100, 100, 200, 150},
                 {100, 100, 200, 175}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace kivo::test
