#include "tests/support/PanelFixture.h"
#include "tests/support/Timings.h"

#include "core/inputs/InputsPageModel.h"
#include "core/mirror/DeviceMirror.h"
#include "core/timing/CurrentTimingRow.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingListLoader.h"
#include "core/timing/TimingText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TimingRecord timingWithWidth(int width)
{
    return timingOf({16, 96, 48, width, 10, 2, 33, 480, 31469, 4, 0, 0, 0});
}

// The mirror's windows; a timing query counts and then shows the page what it read, as the
// readback does.
class MirrorWindows final : public InputWindows {
public:
    explicit MirrorWindows(DeviceMirror& mirror) : mirror_(mirror) {}
    void queryTiming(int window) override
    {
        queried.push_back(window);
        if (page)
            page->windowTimingRead(true);
    }
    const TimingRecord& timing(int window) const override
    {
        return mirror_.window(window).inputTiming;
    }
    TimingRecord levels(int) const override { return {}; }
    void setLevels(int, const TimingRecord&) override {}
    void setConnector(int window, InputConnector connector) override
    {
        mirror_.window(window).inputConnector = connector;
    }
    InputsPageModel* page = nullptr;
    std::vector<int> queried;

private:
    DeviceMirror& mirror_;
};

// Four windows: 1 and 2 video (2 on S-video), 3 RGB at the timing of input setting 8, 4 RGB
// at a timing no setting has. Settings 1..50 are 800 + n pixels wide; 6 is empty.
class InputsPage : public PanelFixture {
protected:
    InputsPage()
    {
        app.idle = true;
        app.topWindow = 2;
        mirror.windowCount = 4;
        mirror.window(2).inputConnector = InputConnector::svideo;
        mirror.window(3).inputType = InputType::rgb;
        mirror.window(3).inputTiming = timingWithWidth(808);
        mirror.window(4).inputType = InputType::rgb;
        mirror.window(4).inputTiming = timingWithWidth(1280);
        for (int number = 1; number <= list.count; ++number) {
            TimingRecord& slot = list.slots[static_cast<std::size_t>(number - 1)];
            if (number != 6)
                slot = timingWithWidth(800 + number);
            slot.rowText = number == 6 ? placeholderRow(6) : formatRowText(number, slot);
            list.rows.push_back(slot.rowText);
        }
        list.selection = InputsPageModel::currentRow;
        windows.page = &page;
    }

    std::string last() const { return prompter.texts.empty() ? "" : prompter.texts.back(); }

    DeviceMirror mirror;
    MirrorWindows windows{mirror};
    TimingList list{TimingList::Kind::input};
    TimingListCache cache{profile, prompter};
    TimingListLoader loader{channel, cache, prompter};
    InputSettings settings{{channel, prompter, clock, windows}, list, cache};
    InputsPageModel page{{app, settings, windows, loader}, list, mirror};
};

TEST_F(InputsPage, ActivationTakesTheTopWindowUnlessTheChosenOneStillExists)
{
    struct Case {
        int chosen;
        int current;
        bool refresh;
    };
    for (const Case& c :
         {Case{0, 2, false}, Case{5, 2, false}, Case{3, 3, true}, Case{1, 1, false}}) {
        app.currentWindow = c.chosen;
        app.timingDialogIsOutput = true;
        EXPECT_EQ(page.activate(), c.refresh) << c.chosen;
        EXPECT_EQ(app.currentWindow, c.current) << c.chosen;
        EXPECT_FALSE(app.timingDialogIsOutput);
    }
}

TEST_F(InputsPage, AVideoWindowShowsItsConnectorAndNoList)
{
    app.currentWindow = 2;
    page.activate();
    const InputWindowView view = page.view();
    EXPECT_FALSE(view.rgb);
    EXPECT_FALSE(page.settingsEnabled());
    EXPECT_TRUE(view.videoConnectorsEnabled);
    EXPECT_EQ(view.typeRadio, 1);
    EXPECT_EQ(page.shownRow, -1);
    EXPECT_FALSE(page.deleteEnabled());
    page.chooseConnector(InputConnector::automatic);
    EXPECT_THAT(wire(), ElementsAre("input 2 auto\n"));
}

TEST_F(InputsPage, AnRgbWindowShowsItsTimingAsRow51AndChoosesTheMatchingSetting)
{
    page.chooseWindow(3);
    EXPECT_THAT(windows.queried, ElementsAre(3));
    EXPECT_TRUE(page.settingsEnabled());
    EXPECT_EQ(page.view().typeRadio, 3);
    EXPECT_FALSE(page.view().videoConnectorsEnabled);
    ASSERT_EQ(page.rows().size(), 51u);
    EXPECT_EQ(page.rows()[50], currentInputRowText(3, mirror.window(3).inputTiming));
    EXPECT_EQ(page.shownRow, 7);
    EXPECT_TRUE(page.deleteEnabled());

    page.chooseWindow(4);
    EXPECT_EQ(page.rows()[50].substr(0, 11), "Window  4  ");
    EXPECT_EQ(page.shownRow, 50);
    EXPECT_FALSE(page.deleteEnabled());
}

TEST_F(InputsPage, WindowButtonsNumberAndDescribeTheWindowsThereAre)
{
    mirror.window(3).description = "Camera";
    mirror.windowCount = 10;
    EXPECT_EQ(page.windowButtonCaption(1), "&1");
    EXPECT_EQ(page.windowButtonCaption(3), "&3   (Camera)");
    EXPECT_EQ(page.windowButtonCaption(10), "1&0");
    mirror.windowCount = 4;
    EXPECT_TRUE(page.windowButtonShown(4));
    EXPECT_FALSE(page.windowButtonShown(5));
}

TEST_F(InputsPage, AnEmptySettingIsNotRecalledAndTheSelectionComesBack)
{
    page.chooseWindow(3);
    page.choose(5);
    EXPECT_EQ(last(), "Input preset 6 is empty.");
    EXPECT_EQ(page.shownRow, 7);
    EXPECT_TRUE(page.deleteEnabled());
    page.choose(50);
    EXPECT_EQ(page.shownRow, 50);
    EXPECT_FALSE(page.deleteEnabled());
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(InputsPage, ARecallKeepsTheRecalledRowThoughTheTimingReadMatchesAnother)
{
    page.chooseWindow(3);
    link->queueReply("> ");
    page.choose(1);
    EXPECT_THAT(wire(), ElementsAre("rgbload 3  2\n"));
    // The window still reads as setting 8; the recalled row stays chosen.
    EXPECT_EQ(page.shownRow, 1);
    EXPECT_EQ(page.inputSelection(), 1);
    EXPECT_TRUE(page.deleteEnabled());
}

TEST_F(InputsPage, TheDeferredReadChoosesTheSettingChosenBeforeWhenItStillMatches)
{
    app.currentWindow = 3;
    list.selection = 7;
    page.activate();
    list.selection = 50;
    windows.page = nullptr;
    page.refreshTiming(false);
    EXPECT_THAT(windows.queried, IsEmpty());
    page.refreshTiming(true);
    EXPECT_THAT(windows.queried, ElementsAre(3));
    EXPECT_EQ(page.inputSelection(), 7);
    EXPECT_EQ(page.shownRow, 7);
}

TEST_F(InputsPage, ARefusedAddFocusesTheFaultyBoxAndAStoredOneEmptiesThem)
{
    link->answerWrites("> ");
    page.chooseWindow(4);
    page.add("51", "Wide");
    EXPECT_EQ(last(), "Please provide a setting number between 1 and 50.");
    EXPECT_EQ(page.focus, TimingPageFocus::numberBox);
    EXPECT_EQ(page.numberText, "51");
    page.add("12", "");
    EXPECT_EQ(page.focus, TimingPageFocus::nameBox);
    page.add("12", "Wide");
    EXPECT_THAT(wire(), ElementsAre("rgbn 4 \"Wide\"\n", "rgbs 4 12\n"));
    EXPECT_EQ(page.numberText, "");
    EXPECT_EQ(page.nameText, "");
    EXPECT_EQ(page.shownRow, 11);
}

TEST_F(InputsPage, AfterALoadOrADeleteTheNextTimingReadChoosesTheRowAgain)
{
    link->answerWrites("> ");
    page.chooseWindow(3);
    page.remove();
    EXPECT_THAT(wire(), ElementsAre("rgbdel 8\n"));
    EXPECT_EQ(page.shownRow, -1);
    EXPECT_FALSE(page.deleteEnabled());
    page.windowTimingRead(true);
    EXPECT_EQ(page.shownRow, 50);

    // A load from the Kivo's cache (empty here) chooses nothing either.
    page.loadList(false);
    EXPECT_EQ(page.shownRow, -1);
    page.chooseWindow(3);
    EXPECT_EQ(page.shownRow, 50);
}

} // namespace
} // namespace kivo::test
