#include "tests/support/ScreenFixture.h"

#include "core/screen/CanvasMouse.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

constexpr Rect view1{100, 100, 200, 180};
constexpr Rect view2{150, 120, 300, 220};
constexpr Rect view3{20, 30, 120, 130};
constexpr Rect view4{250, 40, 350, 140};

// Four windows stacked 1 (front), 2, 3, 4; 3 and 4 overlap no other window.
class CanvasMouseTest : public ScreenFixture {
protected:
    CanvasMouseTest()
    {
        window(1).viewRect = view1;
        window(2).viewRect = view2;
        window(3).viewRect = view3;
        window(4).viewRect = view4;
    }

    void click(Point p)
    {
        mouse.press(p);
        mouse.release(p);
    }

    CanvasMouse mouse{state.mirror, app, screen};
};

TEST_F(CanvasMouseTest, AClickWithoutMovingLeavesTheFrontWindowAndSendsNothing)
{
    click({150, 140});
    EXPECT_EQ(window(1).viewRect, view1);
    // A corner clicked takes the 4:3 shape on the canvas only.
    click({100, 100});
    EXPECT_EQ(window(1).viewRect, (Rect{100, 100, 206, 180}));
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(CanvasMouseTest, AWindowBehindIsRaisedAtThePressAndPlacedAtTheRelease)
{
    mouse.press({250, 200});
    EXPECT_THAT(sent(), ElementsAre("priority 2 1"));
    EXPECT_EQ(window(2).priority, 1);
    EXPECT_EQ(window(1).priority, 2);
    EXPECT_TRUE(mouse.dragging());
    mouse.move({255, 205});
    EXPECT_EQ(mouse.dragFrame(), (Rect{155, 125, 305, 225}));
    mouse.release({260, 210});
    EXPECT_THAT(sent(), ElementsAre("priority 2 1", "wdr 2 269 212 271 191"));
    EXPECT_EQ(window(2).viewRect, (Rect{160, 130, 310, 230}));
    EXPECT_FALSE(mouse.dragFrame());
}

TEST_F(CanvasMouseTest, EscapeTheRightButtonOrALostCaptureBeforeMovingCancel)
{
    const std::vector<std::pair<const char*, void (*)(CanvasMouse&)>> cancels{
        {"escape", [](CanvasMouse& m) { m.escape(); }},
        {"right button",
         [](CanvasMouse& m) {
             m.rightPress({150, 140});
         }},
    };
    for (const auto& [name, cancel] : cancels) {
        mouse.press({150, 140});
        mouse.move({190, 170});
        cancel(mouse);
        EXPECT_FALSE(mouse.dragging()) << name;
        EXPECT_EQ(window(1).viewRect, view1) << name;
        EXPECT_FALSE(mouse.hiddenOutlines()) << name;
    }
    mouse.press({150, 140});
    mouse.captureLost();
    EXPECT_EQ(window(1).viewRect, view1);
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(CanvasMouseTest, ALostCaptureAfterMovingCommitsWhereThePointerWas)
{
    mouse.press({150, 140});
    mouse.move({160, 150});
    mouse.captureLost();
    EXPECT_THAT(sent(), ElementsAre("priority 1 1", "wdr 1 178 174 181 153"));
}

TEST_F(CanvasMouseTest, AWindowDroppedNearAnEdgeSnapsToIt)
{
    mouse.press({70, 80});
    mouse.release({64, 80});
    EXPECT_EQ(window(3).viewRect, (Rect{11, 30, 111, 130}));
    EXPECT_THAT(sent(), ElementsAre("priority 3 1", "priority 3 1", "wdr 3 0 21 180 191"));
}

TEST_F(CanvasMouseTest, DoubleClickMaximisesAndRestoresAtMostNineTenths)
{
    window(1).viewRect = {11, 19, 360, 260};
    click({150, 140});
    mouse.doubleClick({150, 140});
    EXPECT_TRUE(window(1).maximised);
    EXPECT_TRUE(app.maximisedFlag);
    EXPECT_EQ(window(1).viewRect, canvas::canvasRect);
    EXPECT_THAT(sent(), ElementsAre("priority 1 1", "wdr 1 0 0 640 480"));
    // No handles to grab while the front window fills the output.
    EXPECT_EQ(mouse.handleAt({11, 19}), Handle::none);

    mouse.press({150, 140});
    mouse.doubleClick({150, 140});
    EXPECT_FALSE(window(1).maximised);
    EXPECT_EQ(window(1).viewRect, (Rect{11, 19, 328, 244}));
    EXPECT_EQ(mouse.handleAt({11, 19}), Handle::topLeft);
}

TEST_F(CanvasMouseTest, MarkersOfTwoWindowsSwapThemAndTheSameMarkerTwiceCancels)
{
    mouse.press({40, 35});
    mouse.release({40, 35});
    EXPECT_TRUE(window(3).blink);
    EXPECT_EQ(mirror().blinkEnabled, 3);
    mouse.press({40, 35});
    EXPECT_FALSE(window(3).blink);
    EXPECT_EQ(mirror().blinkEnabled, 0);
    EXPECT_THAT(sent(), IsEmpty());

    mouse.press({40, 35});
    mouse.press({270, 45});
    EXPECT_EQ(window(3).viewRect, view4);
    EXPECT_EQ(window(4).viewRect, view3);
    EXPECT_EQ(window(3).priority, 4);
    EXPECT_EQ(window(4).priority, 3);
    EXPECT_EQ(mirror().blinkEnabled, 0);
    EXPECT_FALSE(window(3).blink || window(4).blink);
    EXPECT_THAT(sent(), ElementsAre("priority 3 4", "wdr 3 432 40 180 191", "priority 4 3",
                                    "wdr 4 16 21 181 191"));
}

// Windows placed exactly (by a preset, or as read from the device) take each other's output
// rectangles exactly, not as the canvas pixels would map them.
TEST_F(CanvasMouseTest, SwappedWindowsExchangeTheirExactOutputRectangles)
{
    screen.place(3, {0, 0, 512, 384});
    screen.place(4, {512, 384, 640, 480});
    sent();
    const auto marker = [](const WindowRecord& w) {
        return Point{w.viewRect.left + 20, w.viewRect.top + 5};
    };
    mouse.press(marker(window(3)));
    mouse.press(marker(window(4)));
    EXPECT_THAT(sent(), ElementsAre("priority 3 4", "wdr 3 512 384 128 96", "priority 4 3",
                                    "wdr 4 0 0 512 384"));
}

TEST_F(CanvasMouseTest, AWindowSwitchedOffWhileItsMarkerWaitsIsNeverSwapped)
{
    mouse.press({40, 35});
    screen.switchWindow(3, false);
    EXPECT_EQ(mirror().blinkEnabled, 0);
    EXPECT_FALSE(window(3).blink);
    sent();
    mouse.press({270, 45});
    EXPECT_TRUE(window(4).blink);
    EXPECT_EQ(window(3).priority, 0);
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(CanvasMouseTest, TheRightButtonOutlinesTheWindowsBehind)
{
    mouse.rightPress({150, 140});
    ASSERT_TRUE(mouse.hiddenOutlines());
    EXPECT_EQ(mouse.hiddenOutlines()->clip, view1);
    EXPECT_THAT(mouse.hiddenOutlines()->outlines, UnorderedElementsAre(view2, view3, view4));
    mouse.rightRelease();
    EXPECT_FALSE(mouse.hiddenOutlines());
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(CanvasMouseTest, OnlyWindowsThatAreOnAndOnTheCanvasAreHit)
{
    stack({2, 3, 4});
    EXPECT_EQ(mouse.hitWindow({190, 110}), 0);
    EXPECT_EQ(mouse.hitWindow({160, 130}), 2);
    EXPECT_EQ(mouse.hitWindow({5, 5}), 0);
}

} // namespace
} // namespace kivo::test
