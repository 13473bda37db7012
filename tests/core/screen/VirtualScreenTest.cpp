#include "tests/support/ScreenFixture.h"

#include "core/base/Strings.h"
#include "core/screen/CanvasScene.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kivo::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class VirtualScreenTest : public ScreenFixture {};

TEST_F(VirtualScreenTest, PlacementSendsThePlaceThenTheOutputRectangle)
{
    window(1).viewRect = {11, 19, 188, 144};
    window(1).frozen = true;
    screen.sendWindowPlacement(1);
    EXPECT_THAT(sent(), ElementsAre("priority 1 1", "wdr 1 0 0 320 239"));
    EXPECT_FALSE(window(1).frozen);

    window(2).maximised = true;
    screen.sendWindowPlacement(2);
    EXPECT_THAT(sent(), ElementsAre("priority 2 2", "wdr 2 0 0 640 480"));
}

TEST_F(VirtualScreenTest, AWindowAlmostOffTheCanvasIsPulledBackBeforeItIsSent)
{
    window(1).viewRect = {400, 300, 500, 400};
    screen.sendWindowPlacement(1);
    EXPECT_EQ(window(1).viewRect, (Rect{320, 237, 420, 337}));
    EXPECT_THAT(sent(), ElementsAre("priority 1 1", "wdr 1 558 416 181 192"));
}

TEST_F(VirtualScreenTest, OnApplyOnlySendsNothingUntilApplySendsTheWhole)
{
    screen.setOnApplyOnly(true);
    window(1).viewRect = {11, 19, 188, 144};
    window(4).viewRect = {11, 19, 188, 144};
    window(1).frozen = true;
    screen.sendWindowPlacement(1);
    screen.switchWindow(4, false);
    screen.arrange(2);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_TRUE(window(1).frozen);
    EXPECT_EQ(window(4).priority, 0);

    screen.apply();
    // The arranged windows keep the rectangles the grid gave them; the one placed on the canvas
    // alone is mapped from canvas pixels.
    EXPECT_THAT(sent(), ElementsAre("win all off off off off", "priority 1 1", "wdr 1 0 0 320 240",
                                    "priority 2 2", "wdr 2 320 0 320 240", "priority 3 3",
                                    "wdr 3 0 240 320 240", "priority 4 0", "wdr 4 0 0 320 239",
                                    "win all on on on off"));
    EXPECT_TRUE(screen.onApplyOnly());
}

TEST_F(VirtualScreenTest, CheckBoxesSwitchAndRestack)
{
    screen.switchWindow(2, false);
    EXPECT_THAT(sent(), ElementsAre("win 2 off"));
    EXPECT_EQ(window(1).priority, 1);
    EXPECT_EQ(window(2).priority, 0);
    EXPECT_EQ(window(3).priority, 2);
    EXPECT_EQ(window(4).priority, 3);
    EXPECT_EQ(mirror().windowsOn, 3u);

    screen.switchWindow(2, true);
    EXPECT_THAT(sent(), ElementsAre("win 2 on", "priority 2 1"));
    EXPECT_EQ(window(2).priority, 1);
    EXPECT_EQ(window(1).priority, 2);
    EXPECT_EQ(app.topWindow, 2);
    EXPECT_EQ(mirror().windowsOn, 4u);

    // Already on: nothing changes, nothing is counted twice.
    screen.switchWindow(2, true);
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(mirror().windowsOn, 4u);

    mirror().firmwareRevision = 2.9;
    screen.switchWindow(3, false);
    EXPECT_THAT(sent(), ElementsAre("channel 3 off"));
}

TEST_F(VirtualScreenTest, PresetSwitchesAllOffPlacesInStackingOrderAndSwitchesBackOn)
{
    stack({3, 1, 4});
    window(3).maximised = true;
    window(3).frozen = true;
    EXPECT_TRUE(screen.arrange(2));
    EXPECT_THAT(sent(),
                ElementsAre("win all off off off off", "wdr 3 0 0 320 240", "wdr 1 320 0 320 240",
                            "wdr 4 0 240 320 240", "win all on off on on"));
    EXPECT_EQ(window(3).destRect, (Rect{0, 0, 320, 240}));
    EXPECT_EQ(window(3).viewRect, (Rect{11, 19, 188, 144}));
    EXPECT_FALSE(window(3).maximised);
    EXPECT_FALSE(window(3).frozen);
}

TEST_F(VirtualScreenTest, PresetBelowFirmwareThreeSendsOnlyThePlacements)
{
    mirror().firmwareRevision = 2.9;
    stack({2, 1});
    screen.arrange(2);
    EXPECT_THAT(sent(), ElementsAre("wdr 2 0 0 320 240", "wdr 1 320 0 320 240"));
}

TEST_F(VirtualScreenTest, PresetNeedsTwoWindowsAndAKnownMode)
{
    stack({2});
    EXPECT_FALSE(screen.arrange(2));
    EXPECT_THAT(sent(), IsEmpty());
    stack({1, 2});
    EXPECT_FALSE(screen.arrange(9));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(prompter.texts, ElementsAre("Unknown image arrangement mode: 9."));
}

TEST_F(VirtualScreenTest, PlaceSendsTheOutputRectangleExactly)
{
    screen.place(2, {1, 2, 101, 202});
    EXPECT_THAT(sent(), ElementsAre("wdr 2 1 2 100 200"));
    EXPECT_EQ(window(2).destRect, (Rect{1, 2, 101, 202}));
    EXPECT_EQ(window(2).viewRect, (Rect{11, 20, 66, 124}));
}

// The placements among the lines sent, sorted: two sends compare whatever their order.
std::vector<std::string> placementsSorted(const std::vector<std::string>& lines)
{
    std::vector<std::string> placements;
    for (const std::string& line : lines)
        if (line.starts_with("wdr "))
            placements.push_back(line);
    std::ranges::sort(placements);
    return placements;
}

// The coordinates the labels show, written as the placement of their window.
std::vector<std::string> coordinateLabels(const DeviceMirror& mirror)
{
    std::vector<std::string> labels;
    for (const DrawnWindow& drawn : buildCanvasScene(mirror, {}).windows)
        for (const CanvasLabel& label : drawn.labels)
            if (label.text.starts_with(' '))
                labels.push_back("wdr " + std::to_string(drawn.number) + label.text);
    return labels;
}

struct PresetCase {
    const char* name;
    int mode;
    const char* front; // what window 5, in front, is sent
};

void PrintTo(const PresetCase& c, std::ostream* out) { *out << c.name; }

// Ten windows on a 1024 x 768 output, window 5 in front.
class PresetBytes : public ScreenFixture, public ::testing::WithParamInterface<PresetCase> {
protected:
    PresetBytes()
    {
        mirror().outputTiming.HACT = mirror().outputWidth = 1024;
        mirror().outputTiming.VACT = mirror().outputHeight = 768;
        setWindowCount(10);
        stack({5, 1, 2, 3, 4, 6, 7, 8, 9, 10});
    }
};

// A window keeps the output rectangle it was given: Apply sends the bytes Immediately sent, and
// the labels show them, however coarse the canvas pixels are.
TEST_P(PresetBytes, AreTheSameImmediatelyAndOnApplyAndInTheLabels)
{
    ASSERT_TRUE(screen.arrange(GetParam().mode));
    const std::vector<std::string> immediately = placementsSorted(sent());
    EXPECT_THAT(immediately, Contains(GetParam().front));
    const std::vector<std::string> labels = coordinateLabels(mirror());
    EXPECT_THAT(labels, Contains(GetParam().front));
    for (const std::string& label : labels)
        EXPECT_THAT(immediately, Contains(label));

    screen.setOnApplyOnly(true);
    ASSERT_TRUE(screen.arrange(GetParam().mode));
    EXPECT_THAT(sent(), IsEmpty());
    screen.apply();
    EXPECT_EQ(placementsSorted(sent()), immediately);
}

INSTANTIATE_TEST_SUITE_P(Cases, PresetBytes,
                         ::testing::Values(PresetCase{"grid", 2, "wdr 5 0 0 256 192"},
                                           PresetCase{"centre", 3, "wdr 5 256 192 512 384"},
                                           PresetCase{"topLeft", 4, "wdr 5 0 0 819 614"},
                                           PresetCase{"topRight", 5, "wdr 5 204 0 819 614"},
                                           PresetCase{"bottomRight", 6, "wdr 5 204 153 819 614"},
                                           PresetCase{"bottomLeft", 7, "wdr 5 0 153 819 614"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FrameCase {
    const char* name;
    Rect frameChange; // added to the frame's left, top, right and bottom
    const char* sent;
};

void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

class FrameChange : public ScreenFixture, public ::testing::WithParamInterface<FrameCase> {};

// Of a window placed at 0 0 819 614 on a 1024 x 768 output, only what the frame changed is
// mapped from canvas pixels: a move keeps the size exactly, an edge that stayed keeps its place.
TEST_P(FrameChange, KeepsWhatTheFrameDidNotChange)
{
    mirror().outputTiming.HACT = mirror().outputWidth = 1024;
    mirror().outputTiming.VACT = mirror().outputHeight = 768;
    screen.place(1, {0, 0, 819, 614});
    sent();
    const Rect& d = GetParam().frameChange;
    Rect& v = window(1).viewRect;
    v = {v.left + d.left, v.top + d.top, v.right + d.right, v.bottom + d.bottom};
    screen.sendWindowPlacement(1);
    EXPECT_THAT(sent(), ElementsAre("priority 1 1", GetParam().sent));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrameChange,
    ::testing::Values(FrameCase{"unchanged", {0, 0, 0, 0}, "wdr 1 0 0 819 614"},
                      FrameCase{"moved", {30, 20, 30, 20}, "wdr 1 86 61 819 614"},
                      FrameCase{"movedDown", {0, 20, 0, 20}, "wdr 1 0 61 819 614"},
                      FrameCase{"rightEdgeDragged", {0, 0, 10, 0}, "wdr 1 0 0 847 614"},
                      FrameCase{"cornerDragged", {10, 10, 0, 0}, "wdr 1 28 30 791 584"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VirtualScreenTest, RestoreInitialSizesKeepsTheCornerOfEveryWindowOn)
{
    stack({1, 2});
    window(1).viewRect = {20, 30, 40, 40};
    window(1).canvasWidth = 100;
    window(1).canvasHeight = 80;
    window(3).viewRect = {20, 30, 40, 40};
    screen.restoreInitialSizes();
    EXPECT_EQ(window(1).viewRect, (Rect{20, 30, 120, 110}));
    EXPECT_EQ(window(3).viewRect, (Rect{20, 30, 40, 40}));
    EXPECT_EQ(sent().size(), 4u);
}

class UserArrangementTest : public ScreenFixture {
protected:
    std::string ini(const std::string& key) { return profile.readString("CUSTOM2", key); }
};

TEST_F(UserArrangementTest, AnArrangementNotSetIsStoredAfterAskingThenRecalledWithoutAsking)
{
    window(1).viewRect = {11, 19, 188, 144};
    window(2).viewRect = {200, 150, 100, 100}; // stored normalised
    stack({2, 1});
    EXPECT_EQ(screen.userArrangement(2), VirtualScreen::UserOutcome::stored);
    EXPECT_THAT(prompter.texts, ElementsAre(formatString(StringId::unsetArrangementQuestion, 2)));
    EXPECT_EQ(ini("Set"), "1");
    EXPECT_EQ(ini("r1"), "11 19 188 144");
    EXPECT_EQ(ini("r2"), "100 100 200 150");
    EXPECT_EQ(ini("p1"), "2");
    EXPECT_EQ(ini("p3"), "0");
    EXPECT_THAT(sent(), IsEmpty());

    stack({3, 4});
    EXPECT_EQ(screen.userArrangement(2), VirtualScreen::UserOutcome::applied);
    EXPECT_EQ(prompter.texts.size(), 1u);
    EXPECT_THAT(sent(),
                ElementsAre("win all off off off off", "wdr 1 0 0 320 239", "wdr 2 160 154 181 96",
                            "priority all 2 1 3 4", "win all on on off off"));
    EXPECT_EQ(window(2).priority, 1);
    EXPECT_EQ(window(3).priority, 0);
    EXPECT_EQ(mirror().windowsOn, 2u);
}

TEST_F(UserArrangementTest, ShiftAsksBeforeOverwritingAndCancelKeepsTheOld)
{
    state.arrangements[1].set = true;
    keys.shift = true;
    prompter.answers = {Prompter::Answer::cancel};
    EXPECT_EQ(screen.userArrangement(2), VirtualScreen::UserOutcome::declined);
    EXPECT_THAT(prompter.texts,
                ElementsAre(formatString(StringId::overwriteArrangementQuestion, 2)));
    EXPECT_EQ(ini("Set"), "");

    state.arrangements[1].set = false;
    EXPECT_EQ(screen.userArrangement(2), VirtualScreen::UserOutcome::stored);
    EXPECT_EQ(prompter.texts.back(), formatString(StringId::setArrangementQuestion, 2));
}

TEST_F(UserArrangementTest, EmptyOrOffWindowsAreSwitchedOffAndAFullWindowIsMaximised)
{
    UserArrangement& stored = state.arrangements[1];
    stored.set = true;
    stored.rects = {Rect{11, 19, 364, 270}, Rect{50, 50, 50, 90}, Rect{20, 20, 80, 80},
                    Rect{20, 20, 80, 80}};
    stored.priorities = {1, 2, 0, 2};
    screen.userArrangement(2);
    EXPECT_EQ(window(1).priority, 1);
    EXPECT_TRUE(window(1).maximised);
    EXPECT_TRUE(app.maximisedFlag);
    EXPECT_EQ(window(2).priority, 0);
    EXPECT_EQ(window(3).priority, 0);
    EXPECT_EQ(window(4).priority, 2);
    EXPECT_THAT(sent(),
                ElementsAre("win all off off off off", "wdr 1 0 0 640 480", "wdr 4 16 1 108 115",
                            "priority all 1 4 2 3", "win all on off off on"));
}

TEST_F(UserArrangementTest, NamesAndDescriptionsAreWrittenThroughWithoutControlCharacters)
{
    screen.setArrangementName(2, "Studio\tA");
    EXPECT_EQ(ini("desc"), "StudioA");
    screen.setDescription(3, "Camera\nthree and a very long tail");
    EXPECT_EQ(window(3).description, "Camerathree and a very");
    EXPECT_EQ(profile.readString("DESCRIPTIONS", "desc3"), "Camerathree and a very");

    prompter.answers = {Prompter::Answer::cancel};
    EXPECT_FALSE(screen.clearDescriptions());
    EXPECT_EQ(window(3).description, "Camerathree and a very");
    EXPECT_TRUE(screen.clearDescriptions());
    EXPECT_EQ(window(3).description, "");
    EXPECT_EQ(profile.readString("DESCRIPTIONS", "desc3", "kept"), "");
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::clearDescriptionsQuestion)));
}

TEST_F(UserArrangementTest, AFailedWriteIsReported)
{
    screen.setDescription(1, "one");
    std::filesystem::permissions(profile.path(), std::filesystem::perms::owner_read);
    screen.setDescription(1, "two");
    ASSERT_FALSE(prompter.texts.empty());
    EXPECT_THAT(prompter.texts.back(), ::testing::HasSubstr("read-only"));
}

} // namespace
} // namespace kivo::test
