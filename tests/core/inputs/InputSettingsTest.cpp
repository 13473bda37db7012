#include "tests/support/PanelFixture.h"
#include "tests/support/Timings.h"

#include "core/base/Strings.h"
#include "core/inputs/InputSettings.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TimingRecord sxga()
{
    TimingRecord t = timingOf({48, 112, 248, 1280, 1, 3, 38, 1024, 63981, 4, 1, 1, 0});
    t.brightness = 12;
    t.contrast = 95;
    t.gamma = 1.4;
    return t;
}

// Ten windows whose timing queries are counted; window 2 runs SXGA with its own levels.
class FakeWindows final : public InputWindows {
public:
    FakeWindows()
    {
        timings[1] = sxga();
        timings[1].HBP = 250;
        levelsOf[1].brightness = -20;
        levelsOf[1].contrast = 110;
        levelsOf[1].gamma = 0.8;
    }
    void queryTiming(int window) override { queried.push_back(window); }
    const TimingRecord& timing(int window) const override { return at(timings, window); }
    TimingRecord levels(int window) const override { return at(levelsOf, window); }
    void setLevels(int window, const TimingRecord& levels) override
    {
        at(levelsOf, window) = levels;
    }
    void setConnector(int window, InputConnector connector) override
    {
        at(connectors, window) = connector;
    }

    template <typename T> static T& at(std::array<T, 10>& values, int window)
    {
        return values.at(static_cast<std::size_t>(window - 1));
    }
    template <typename T> static const T& at(const std::array<T, 10>& values, int window)
    {
        return values.at(static_cast<std::size_t>(window - 1));
    }

    std::array<TimingRecord, 10> timings{};
    std::array<TimingRecord, 10> levelsOf{};
    std::array<InputConnector, 10> connectors{};
    std::vector<int> queried;
};

// Settings 1..6 and 8..50 hold SXGA, setting 7 is empty.
class InputSettingsTest : public PanelFixture {
protected:
    InputSettingsTest()
    {
        for (int number = 1; number <= list.count; ++number) {
            TimingRecord& slot = list.slots[static_cast<std::size_t>(number - 1)];
            if (number != 7)
                slot = sxga();
            slot.rowText = number == 7 ? placeholderRow(7) : formatRowText(number, slot);
            list.rows.push_back(slot.rowText);
        }
        list.selection = 50;
    }

    std::string last() const { return prompter.texts.empty() ? "" : prompter.texts.back(); }

    TimingList list{TimingList::Kind::input};
    TimingListCache cache{profile, prompter};
    FakeWindows windows;
    InputSettings settings{{channel, prompter, clock, windows}, list, cache};
};

TEST_F(InputSettingsTest, RecallWithLevelsSendsThemAfterTheSettingAHundredMillisecondsApart)
{
    link->queueReply("> ");
    const std::int64_t start = clock.now;
    EXPECT_TRUE(settings.recall(2, 5, true));
    EXPECT_THAT(wire(),
                ElementsAre("rgbload 2  6\n", "bright 2 12\n", "contrast 2 95\n", "gamma 2 1.4\n"));
    EXPECT_GE(clock.now - start, 200);
    EXPECT_EQ(list.selection, 5);
    EXPECT_TRUE(list.deleteEnabled);
    EXPECT_THAT(windows.queried, ElementsAre(2));
    EXPECT_EQ(windows.levelsOf[1].contrast, 95);
}

TEST_F(InputSettingsTest, RecallFromTheCacheSendsTheTimingItself)
{
    list.fromDevice = false;
    list.slots[0].VACT = 0;
    link->queueReply("> ");
    EXPECT_TRUE(settings.recall(4, 0, false));
    EXPECT_THAT(wire(), ElementsAre("rgbt 4 48 112 248 1280 1 3 38 1\n"));
}

TEST_F(InputSettingsTest, EmptyOrRefusedRecallsKeepTheSelection)
{
    EXPECT_FALSE(settings.recall(2, 6, true));
    EXPECT_EQ(last(), "Input preset 7 is empty.");
    EXPECT_THAT(wire(), IsEmpty());
    link->queueReply("Error: window 2 is not RGB\r\n> ");
    EXPECT_FALSE(settings.recall(2, 0, true));
    EXPECT_THAT(last(), ::testing::HasSubstr("Error: window 2 is not RGB"));
    EXPECT_THAT(wire(), ElementsAre("rgbload 2  1\n"));
    EXPECT_EQ(list.selection, 50);
    EXPECT_THAT(windows.queried, IsEmpty());
}

TEST_F(InputSettingsTest, AddStoresTheWindowsTimingAndLevelsUnderTheNumberWithoutAsking)
{
    link->answerWrites("> ");
    EXPECT_TRUE(settings.add(2, "9", "Camera\n\"A\""));
    EXPECT_THAT(windows.queried, ElementsAre(2));
    EXPECT_THAT(wire(), ElementsAre("rgbn 2 \"Camera\"A\"\"\n", "rgbs 2 9\n"));
    const TimingRecord& slot = list.slots[8];
    EXPECT_EQ(slot.HBP, 250);
    EXPECT_EQ(slot.NAME, "Camera\"A\"");
    EXPECT_EQ(slot.contrast, 110);
    EXPECT_EQ(list.rows[8], formatRowText(9, slot));
    EXPECT_EQ(list.selection, 8);
    EXPECT_THAT(profile.readString("INPUTLIST", "9"), ::testing::EndsWith("-20 110 0.8"));
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(InputSettingsTest, AChangeTheDeviceDidNotTakeLeavesTheListAndTheIniFileAsTheyWere)
{
    struct Case {
        const char* name;
        bool deleting;
        std::vector<std::string> answers;
        std::vector<std::string> sent;
    };
    const std::vector<Case> cases{
        {"name refused", false, {"Error: busy\r\n> "}, {"rgbn 2 \"Camera\"\n"}},
        {"save unanswered", false, {"> "}, {"rgbn 2 \"Camera\"\n", "rgbs 2 4\n"}},
        {"delete refused", true, {"Error: busy\r\n> "}, {"rgbdel 4\n"}},
    };
    const std::string shown = list.rows[3];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        link->writes.clear();
        for (const std::string& answer : c.answers)
            link->queueReply(answer);
        profile.writeString("INPUTLIST", "4", "kept");
        EXPECT_FALSE(c.deleting ? settings.remove(3) : settings.add(2, "4", "Camera"));
        EXPECT_EQ(wire(), c.sent);
        EXPECT_EQ(last(), c.deleting ? "The Quadrix did not delete input setting 4."
                                     : "The Quadrix did not store input setting 4 as \"Camera\".");
        EXPECT_EQ(profile.readString("INPUTLIST", "4"), "kept");
        EXPECT_EQ(list.rows[3], shown);
        EXPECT_EQ(list.slots[3].HBP, sxga().HBP);
    }
}

TEST_F(InputSettingsTest, AddRefusesNumbersOutsideOneToFifty)
{
    EXPECT_FALSE(settings.add(2, "51", "Camera"));
    EXPECT_EQ(last(), "Please provide a setting number between 1 and 50.");
    EXPECT_FALSE(settings.add(2, "", ""));
    EXPECT_EQ(last(), formatString(StringId::needNumberAndName, 1, 50));
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(InputSettingsTest, DeleteAsksFirstAndNeverTouchesTheCurrentRow)
{
    link->answerWrites("> ");
    EXPECT_FALSE(settings.remove(-1));
    EXPECT_EQ(last(), "No input setting is selected.");
    EXPECT_FALSE(settings.remove(50));
    EXPECT_EQ(last(), "No input setting is selected.");
    prompter.answers = {Prompter::Answer::no};
    EXPECT_FALSE(settings.remove(3));
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_TRUE(settings.remove(3));
    EXPECT_THAT(wire(), ElementsAre("rgbdel 4\n"));
    EXPECT_EQ(list.rows[3], placeholderRow(4));
    EXPECT_EQ(list.selection, -1);
    EXPECT_EQ(profile.readString("INPUTLIST", "4", "kept"), "");
}

TEST_F(InputSettingsTest, ConnectorsGoOutAsTheirCommands)
{
    const std::vector<std::pair<InputConnector, std::string>> cases{
        {InputConnector::composite, "input 3 composite\n"},
        {InputConnector::svideo, "input 3 svideo\n"},
        {InputConnector::automatic, "input 3 auto\n"},
    };
    for (const auto& [connector, line] : cases) {
        settings.chooseConnector(3, connector);
        EXPECT_EQ(wire().back(), line);
        EXPECT_EQ(windows.connectors[2], connector);
    }
}

TEST_F(InputSettingsTest, TheCurrentRowIsRowFiftyOneAndSelectsItsMatch)
{
    windows.timings[4] = sxga();
    settings.showCurrentRow(5, true);
    ASSERT_EQ(list.rows.size(), 51U);
    EXPECT_THAT(list.rows[50], ::testing::StartsWith("Window  5  Timing     48  112 248 1280"));
    EXPECT_EQ(list.selection, 0);
    windows.timings[4].locked = 0;
    list.selection = -1;
    settings.showCurrentRow(5, true);
    EXPECT_EQ(list.rows[50],
              "RGB input window 5 not locked to a signal. Timing parameters ignored.");
    EXPECT_EQ(list.selection, -1);
}

TEST(InputWindowView, VideoWindowsChooseAConnectorRgbWindowsShowTheirTiming)
{
    const InputWindowView video = inputWindowView(InputType::video, InputConnector::svideo, false);
    EXPECT_FALSE(video.rgb);
    EXPECT_TRUE(video.videoConnectorsEnabled);
    EXPECT_EQ(video.typeRadio, 1);
    const InputWindowView rgb = inputWindowView(InputType::rgb, InputConnector::svideo, true);
    EXPECT_TRUE(rgb.rgb);
    EXPECT_FALSE(rgb.videoConnectorsEnabled);
    EXPECT_EQ(rgb.typeRadio, 3);
    EXPECT_TRUE(rgb.locked);
}

} // namespace
} // namespace kivo::test
