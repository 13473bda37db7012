#include "core/screen/WindowTracker.h"

#include <gtest/gtest.h>

namespace kivo::test {
namespace {

constexpr Rect window{100, 100, 200, 180};

TEST(WindowTracker, HitTestFindsEachHandleThenTheMiddle)
{
    const std::vector<std::pair<Point, Handle>> cases{
        {{100, 100}, Handle::topLeft},     {{199, 100}, Handle::topRight},
        {{199, 179}, Handle::bottomRight}, {{100, 179}, Handle::bottomLeft},
        {{148, 102}, Handle::top},         {{196, 138}, Handle::right},
        {{148, 177}, Handle::bottom},      {{102, 138}, Handle::left},
        {{150, 140}, Handle::middle},      {{107, 107}, Handle::middle},
        {{200, 140}, Handle::none},        {{99, 140}, Handle::none},
    };
    for (const auto& [point, handle] : cases)
        EXPECT_EQ(WindowTracker::hitTest(window, point), handle) << point.x << "," << point.y;
}

TEST(WindowTracker, ASmallWindowHasSmallerCornersAndNoSideHandles)
{
    const Rect small{0, 0, 20, 12};
    EXPECT_EQ(WindowTracker::handleSizeFor(small), 6);
    EXPECT_EQ(WindowTracker::handleSizeFor(window), 7);
    EXPECT_EQ(WindowTracker::hitTest(small, {10, 1}), Handle::middle);
    EXPECT_EQ(WindowTracker::hitTest(small, {19, 11}), Handle::bottomRight);
    int shown = 0;
    for (const auto& handle : WindowTracker::handles(small))
        shown += handle ? 1 : 0;
    EXPECT_EQ(shown, 4);
}

TEST(WindowTracker, DraggingMovesTheGrabbedEdgesAndKeepsTheMinimumSize)
{
    struct Case {
        Handle handle;
        Point grab;
        Point now;
        Rect result;
    };
    const std::vector<Case> cases{
        {Handle::middle, {150, 140}, {160, 130}, {110, 90, 210, 170}},
        {Handle::bottomRight, {199, 179}, {219, 189}, {100, 100, 220, 190}},
        // Too narrow and too low: the moved edges stop 44 and 33 from the fixed ones.
        {Handle::topLeft, {100, 100}, {180, 170}, {156, 147, 200, 180}},
        {Handle::right, {199, 140}, {120, 140}, {100, 100, 144, 180}},
        // Dragged past the opposite edges, the window is never turned inside out.
        {Handle::bottomRight, {199, 179}, {0, 0}, {100, 100, 144, 133}},
        {Handle::top, {148, 102}, {400, 50}, {100, 48, 200, 180}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowTracker::dragged(window, c.handle, c.grab, c.now), c.result)
            << static_cast<int>(c.handle);
}

} // namespace
} // namespace kivo::test
