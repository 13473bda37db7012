#include "core/screen/CanvasScene.h"
#include "core/mirror/DeviceMirror.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo::test {
namespace {

class CanvasSceneTest : public ::testing::Test {
protected:
    CanvasSceneTest()
    {
        mirror.windowCount = 4;
        mirror.outputTiming.HACT = 640;
        mirror.outputTiming.VACT = 480;
        for (int number = 1; number <= 4; ++number) {
            mirror.window(number).present = true;
            mirror.window(number).priority = 0;
        }
    }

    WindowRecord& front(const Rect& view)
    {
        WindowRecord& w = mirror.window(1);
        w.priority = 1;
        w.viewRect = view;
        return w;
    }

    std::vector<std::string> labelsOfFront(const SceneOptions& options = {})
    {
        std::vector<std::string> texts;
        for (const DrawnWindow& drawn : buildCanvasScene(mirror, options).windows)
            if (drawn.number == 1)
                for (const CanvasLabel& label : drawn.labels)
                    texts.push_back(label.text);
        return texts;
    }

    DrawnWindow only(const SceneOptions& options = {})
    {
        const CanvasScene scene = buildCanvasScene(mirror, options);
        EXPECT_EQ(scene.windows.size(), 1u);
        return scene.windows.empty() ? DrawnWindow{} : scene.windows.front();
    }

    DeviceMirror mirror;
};

TEST_F(CanvasSceneTest, LabelsAppearAsTheWindowGrowsTaller)
{
    struct Case {
        int height;
        std::vector<std::string> labels;
    };
    const std::vector<Case> cases{
        {47, {"Window 1"}},
        {48, {"Window 1", "Active"}},
        {55, {"Window 1", "Active"}},
        {56, {"Window 1", "Active", " 160 130 181 107"}},
        {65, {"Window 1", "Active", " 160 130 181 124"}},
        {66, {"Window 1", "Active", " 160 130 181 126", "Cam"}},
    };
    mirror.window(1).description = "Cam";
    for (const Case& c : cases) {
        front({100, 87, 200, 87 + c.height});
        EXPECT_EQ(labelsOfFront(), c.labels) << c.height;
    }
}

TEST_F(CanvasSceneTest, TitleIsShortUpTo82VisiblePixels)
{
    front({100, 100, 182, 140});
    EXPECT_EQ(labelsOfFront().front(), "W 1");
    front({100, 100, 183, 140});
    EXPECT_EQ(labelsOfFront().front(), "Window 1");
    // Only the part on the canvas counts.
    front({300, 100, 400, 140});
    EXPECT_EQ(labelsOfFront().front(), "W 1");
}

TEST_F(CanvasSceneTest, FrontWindowIsFirstNotActiveWhenNarrowOrPlaying)
{
    front({330, 100, 430, 200}); // 34 pixels visible
    EXPECT_EQ(labelsOfFront().at(1), "1st");
    front({100, 100, 200, 200});
    EXPECT_EQ(labelsOfFront().at(1), "Active");
    EXPECT_EQ(labelsOfFront({.playing = true}).at(1), "1st");

    const DrawnWindow playing = only({.playing = true});
    EXPECT_EQ(playing.frameColour, canvasColours::inactive);
    EXPECT_FALSE(playing.marker);
    EXPECT_TRUE(playing.handles.empty());
    const DrawnWindow idle = only();
    EXPECT_EQ(idle.frameColour, canvasColours::active);
    EXPECT_EQ(idle.handles.size(), 8u);
}

TEST_F(CanvasSceneTest, DescriptionIsCutToAQuarterOfTheWidthInsideTheFrame)
{
    mirror.window(1).description = std::string(40, 'x');
    front({100, 100, 200, 200});
    EXPECT_EQ(labelsOfFront().back(), std::string(23, 'x'));
    // Cut by characters, never inside one.
    mirror.window(1).description = "\xc3\xa9" + std::string(40, 'x');
    EXPECT_EQ(labelsOfFront().back(), "\xc3\xa9" + std::string(22, 'x'));
}

TEST_F(CanvasSceneTest, WindowsArePaintedBackToFrontOncePerPlace)
{
    front({100, 100, 200, 200});
    mirror.window(2).priority = 2;
    mirror.window(2).viewRect = {50, 50, 150, 150};
    mirror.window(3).priority = 2; // a second window at one place is not drawn
    mirror.window(3).viewRect = {60, 60, 160, 160};
    mirror.window(4).priority = 3; // wholly off the canvas
    mirror.window(4).viewRect = {400, 300, 500, 400};
    const CanvasScene scene = buildCanvasScene(mirror, {});
    ASSERT_EQ(scene.windows.size(), 2u);
    EXPECT_EQ(scene.windows[0].number, 2);
    EXPECT_EQ(scene.windows[0].frameColour, canvasColours::inactive);
    EXPECT_EQ(scene.windows[1].number, 1);
    EXPECT_EQ(scene.windows[1].inner, (Rect{104, 111, 196, 196}));
}

TEST_F(CanvasSceneTest, MarkerBlinksRedOnTheTickPhase)
{
    WindowRecord& w = front({100, 100, 200, 200});
    EXPECT_EQ(only().marker, (Rect{114, 100, 128, 111}));
    EXPECT_EQ(only().markerColour, canvasColours::marker);
    w.blink = true;
    mirror.blinkEnabled = 1;
    EXPECT_FALSE(only({.nowMs = 1299}).marker);
    EXPECT_EQ(only({.nowMs = 1500}).markerColour, canvasColours::markerBlink);
    // While a swap is pending the handles are hidden.
    EXPECT_TRUE(only({.nowMs = 1500}).handles.empty());
    // A maximised front window has no marker, and none sticks out of the canvas.
    w.blink = false;
    mirror.blinkEnabled = 0;
    w.maximised = true;
    EXPECT_FALSE(only().marker);
    w.maximised = false;
    w.viewRect = {355, 100, 455, 200};
    EXPECT_FALSE(only().marker);
}

TEST_F(CanvasSceneTest, SizingHandlesFollowTheCheckBox)
{
    front({100, 100, 200, 200});
    EXPECT_TRUE(only({.sizingMarkers = false}).handles.empty());
}

TEST_F(CanvasSceneTest, SourceFrameShowsThePartOfTheInputShown)
{
    WindowRecord& w = front({100, 100, 200, 180});
    w.sourceRect = {0, 0, 320, 240};
    EXPECT_EQ(only().sourceFrame, (Rect{100, 100, 150, 140}));
    w.showSourceFrame = false;
    EXPECT_FALSE(only().sourceFrame);
    w.showSourceFrame = true;
    w.sourceRect = {0, 0, 640, 480};
    EXPECT_FALSE(only().sourceFrame);
}

} // namespace
} // namespace kivo::test
