#include "tests/support/PanelFixture.h"
#include "tests/support/Timings.h"

#include "core/base/Strings.h"
#include "core/output/OutputPageModel.h"
#include "core/output/OutputSettings.h"
#include "core/timing/CurrentTimingRow.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingListLoader.h"
#include "core/timing/TimingText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TimingRecord timingWithWidth(int width)
{
    return timingOf({24, 136, 160, width, 3, 6, 29, 768, 48363, 4, 1, 1, 0});
}

// Reads the output status as the panel does: the output timing may change, then the page
// shows its current row.
class PageStatus final : public OutputStatusReader {
public:
    void queryOutputStatus() override { read(); }
    void readOutputStatus(std::string_view) override { read(); }
    void read()
    {
        ++reads;
        if (changeTiming)
            changeTiming();
        if (page)
            page->showCurrentOutputRow();
    }
    OutputPageModel* page = nullptr;
    std::function<void()> changeTiming;
    int reads = 0;
};

// Settings 1..27 each have their own width (setting n is 1000 + n pixels wide) except
// setting 5, which is empty; the output runs free at the timing of setting 3.
class OutputPage : public PanelFixture {
protected:
    OutputPage()
    {
        app.idle = true;
        for (int number = 1; number <= list.count; ++number) {
            TimingRecord& slot = list.slots[static_cast<std::size_t>(number - 1)];
            if (number != 5)
                slot = timingWithWidth(1000 + number);
            slot.rowText = number == 5 ? placeholderRow(5) : formatRowText(number, slot);
            list.rows.push_back(slot.rowText);
        }
        status.page = &page;
    }

    std::string last() const { return prompter.texts.empty() ? "" : prompter.texts.back(); }

    TimingList list{TimingList::Kind::output};
    TimingListCache cache{profile, prompter};
    TimingListLoader loader{channel, cache, prompter};
    TimingRecord output = timingWithWidth(1003);
    bool freeRun = true;
    PageStatus status;
    OutputSettings settings{{channel, prompter, clock, status}, list, cache, output, freeRun};
    OutputPageModel page{{app, settings, loader}, list, output, freeRun};
};

TEST_F(OutputPage, ActivationShowsTheCurrentRowAndChoosesTheMatchingSetting)
{
    struct Case {
        int outputWidth;
        bool freeRun;
        int shownRow;
        bool deleteEnabled;
    };
    for (const Case& c :
         {Case{1003, true, 2, true}, Case{1012, false, 11, false}, Case{640, true, 27, false}}) {
        output = timingWithWidth(c.outputWidth);
        freeRun = c.freeRun;
        page.numberText = "4";
        page.nameText = "Left over";
        app.timingDialogIsOutput = false;
        page.activate();
        EXPECT_TRUE(app.timingDialogIsOutput);
        EXPECT_EQ(page.numberText, "");
        EXPECT_EQ(page.nameText, "");
        EXPECT_EQ(page.modeRadio,
                  c.freeRun ? OutputPageModel::freeRunRadio : OutputPageModel::autosyncRadio);
        EXPECT_EQ(page.chromaKeyEnabled, !c.freeRun);
        ASSERT_EQ(page.rows().size(), 28u);
        EXPECT_EQ(page.rows().back().substr(0, 22), "Current Output Timing ");
        EXPECT_EQ(page.shownRow, c.shownRow) << c.outputWidth;
        EXPECT_EQ(page.outputSelection(), c.shownRow) << c.outputWidth;
        EXPECT_EQ(page.deleteEnabled(), c.deleteEnabled) << c.outputWidth;
    }
}

TEST_F(OutputPage, AnUnlockedOutputShowsNoNumbersAndABusyPanelChoosesNothing)
{
    output.locked = 0;
    app.idle = false;
    page.activate();
    EXPECT_EQ(page.rows().back(), "RGB output not locked. Timing parameters ignored.");
    EXPECT_FALSE(page.locked());
    EXPECT_EQ(page.shownRow, -1);
}

TEST_F(OutputPage, ARecallKeepsTheChosenRowThoughTheStatusReadMatchesAnother)
{
    page.activate();
    // After "host load 12" the device reports a timing that setting 1 also has.
    status.changeTiming = [this] { output = timingWithWidth(1001); };
    link->queueReply("> ");
    page.choose(11);
    EXPECT_THAT(wire(), ElementsAre("host load 12\n"));
    EXPECT_EQ(status.reads, 1);
    EXPECT_EQ(page.shownRow, 11);
    EXPECT_EQ(page.outputSelection(), 11);
    EXPECT_FALSE(page.deleteEnabled());
    EXPECT_EQ(page.rows().back(), currentOutputRowText(timingWithWidth(1001)));
}

TEST_F(OutputPage, AnEmptyOrRefusedRecallPutsTheSelectionBack)
{
    page.activate();
    page.choose(4);
    EXPECT_EQ(last(), "Output preset 5 is empty.");
    EXPECT_EQ(page.shownRow, 2);
    EXPECT_TRUE(page.deleteEnabled());

    link->queueReply("Error: busy\r\n> ");
    page.choose(6);
    EXPECT_THAT(last(), ::testing::HasSubstr("Error: busy"));
    EXPECT_EQ(page.shownRow, 2);
    EXPECT_EQ(page.outputSelection(), 2);
    EXPECT_TRUE(page.deleteEnabled());

    // With nothing chosen before, the current-timing row comes back.
    list.selection = -1;
    page.choose(4);
    EXPECT_EQ(page.shownRow, 27);
    EXPECT_FALSE(page.deleteEnabled());
}

TEST_F(OutputPage, ChoosingTheCurrentRowOrNoRowSendsNothing)
{
    page.activate();
    for (int row : {27, 30, -1}) {
        page.choose(row);
        EXPECT_EQ(page.shownRow, 27) << row;
        EXPECT_EQ(page.outputSelection(), 27) << row;
        EXPECT_FALSE(page.deleteEnabled()) << row;
    }
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(OutputPage, TheCurrentRowIsLetGoWhileTheListIsOpenAndComesBackAfter)
{
    output = timingWithWidth(640);
    page.activate();
    ASSERT_EQ(page.shownRow, 27);
    page.dropDown();
    EXPECT_EQ(page.shownRow, -1);
    page.closeUp();
    EXPECT_EQ(page.shownRow, 27);

    // A setting stays chosen through both.
    page.shownRow = 2;
    list.deleteEnabled = true;
    page.dropDown();
    page.closeUp();
    EXPECT_EQ(page.shownRow, 2);
    EXPECT_TRUE(page.deleteEnabled());
}

TEST_F(OutputPage, ARefusedAddKeepsTheBoxesAndFocusesTheFaultyOne)
{
    struct Case {
        const char* number;
        const char* name;
        TimingPageFocus focus;
    };
    for (const Case& c :
         {Case{"", "", TimingPageFocus::unchanged}, Case{"11", "Wall", TimingPageFocus::numberBox},
          Case{"0", "Wall", TimingPageFocus::numberBox}, Case{"3", "", TimingPageFocus::nameBox}}) {
        page.focus = TimingPageFocus::unchanged;
        page.add(c.number, c.name);
        EXPECT_EQ(page.focus, c.focus) << c.number << "/" << c.name;
        EXPECT_EQ(page.numberText, c.number);
        EXPECT_EQ(page.nameText, c.name);
    }
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(OutputPage, AStoredOrDeclinedAddEmptiesTheBoxes)
{
    link->answerWrites("> ");
    page.activate();
    prompter.answers = {Prompter::Answer::cancel};
    page.add("3", "Wall");
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_EQ(page.numberText, "");
    EXPECT_EQ(page.nameText, "");
    EXPECT_EQ(page.shownRow, 2);

    page.add("5", "Wall");
    EXPECT_THAT(wire(), ElementsAre("host name \"Wall\"\n", "host save 5\n"));
    EXPECT_EQ(page.numberText, "");
    EXPECT_EQ(page.shownRow, 4);
    EXPECT_TRUE(page.deleteEnabled());
}

TEST_F(OutputPage, DeleteWorksOnTheRecalledSetting)
{
    link->answerWrites("> ");
    page.activate();
    page.remove();
    EXPECT_THAT(wire(), ElementsAre("hdel 3\n"));
    EXPECT_EQ(page.rows()[2], placeholderRow(3));
    EXPECT_EQ(page.shownRow, -1);
    EXPECT_FALSE(page.deleteEnabled());
}

TEST_F(OutputPage, FreeRunAsksAndADeclineLeavesEverythingAsItWas)
{
    freeRun = false;
    page.activate();
    prompter.answers = {Prompter::Answer::no};
    page.modeRadio = OutputPageModel::freeRunRadio;
    page.freeRunClicked();
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_EQ(page.modeRadio, OutputPageModel::autosyncRadio);
    EXPECT_EQ(page.focus, TimingPageFocus::autosync);
    EXPECT_EQ(page.shownRow, 2);
    EXPECT_TRUE(page.chromaKeyEnabled);

    page.modeRadio = OutputPageModel::freeRunRadio;
    page.freeRunClicked();
    EXPECT_THAT(wire(), ElementsAre("host free\n"));
    EXPECT_TRUE(freeRun);
    EXPECT_FALSE(page.chromaKeyEnabled);
    EXPECT_EQ(page.modeRadio, OutputPageModel::freeRunRadio);
    // The status read after the switch chose the matching setting again.
    EXPECT_EQ(page.shownRow, 2);
}

TEST_F(OutputPage, AutosyncWithoutAReferenceComesBackToFreeRun)
{
    page.activate();
    page.modeRadio = OutputPageModel::autosyncRadio;
    page.autosyncClicked();
    EXPECT_EQ(wire().front(), "host auto\n");
    EXPECT_EQ(wire().back(), "host free\n");
    EXPECT_EQ(page.modeRadio, OutputPageModel::freeRunRadio);
    EXPECT_EQ(page.focus, TimingPageFocus::freeRun);
    EXPECT_FALSE(page.chromaKeyEnabled);
    EXPECT_TRUE(freeRun);
}

TEST_F(OutputPage, AutosyncThatLocksEnablesTheChromaKey)
{
    page.activate();
    link->queue("> ");
    link->queueReply("Output: auto\r\nstatus: locked\r\n> ");
    page.modeRadio = OutputPageModel::autosyncRadio;
    page.autosyncClicked();
    EXPECT_FALSE(freeRun);
    EXPECT_TRUE(page.chromaKeyEnabled);
    EXPECT_EQ(page.modeRadio, OutputPageModel::autosyncRadio);
}

TEST_F(OutputPage, AModeCheckThePageMovedItselfIsMovedBackByTheNextClick)
{
    page.activate();
    // The click arrives before its radio is checked: the page checks it and marks that.
    prompter.answers = {Prompter::Answer::no};
    page.modeRadio = OutputPageModel::freeRunRadio;
    page.autosyncClicked();
    EXPECT_TRUE(page.modeRadioMark);
    EXPECT_EQ(page.modeRadio, OutputPageModel::freeRunRadio);

    page.freeRunClicked();
    EXPECT_FALSE(page.modeRadioMark);
    EXPECT_EQ(page.modeRadio, OutputPageModel::autosyncRadio);
    EXPECT_EQ(prompter.texts.size(), 1u);
}

TEST_F(OutputPage, WithoutALinkTheModeClicksOnlySetTheChromaKeyButton)
{
    app.serialHandle.reset();
    page.modeRadio = OutputPageModel::autosyncRadio;
    page.autosyncClicked();
    EXPECT_TRUE(page.chromaKeyEnabled);
    EXPECT_THAT(prompter.texts, IsEmpty());
    freeRun = false;
    prompter.answers = {Prompter::Answer::no};
    page.freeRunClicked();
    EXPECT_FALSE(page.chromaKeyEnabled);
}

// The cache holds the user's ten settings only: the standard ones are not shown as empty.
TEST_F(OutputPage, ALoadFromTheKivoShowsTheCachedUserSettingsThenTheCurrentRow)
{
    profile.writeString("OUTPUTLIST", "3",
                        "MINE              16  96  48  640  10  2  33  480  31469 3  0  0  0");
    page.activate();
    page.loadList(false);
    EXPECT_FALSE(list.fromDevice);
    EXPECT_THAT(wire(), IsEmpty());
    ASSERT_EQ(page.rows().size(), 11u);
    EXPECT_EQ(page.rows()[2].substr(0, 8), "3   MINE");
    EXPECT_EQ(page.rows()[9], placeholderRow(10));
    EXPECT_EQ(page.rows()[10], currentOutputRowText(output));
    EXPECT_EQ(page.shownRow, -1);
    EXPECT_FALSE(settings.recall(12));
}

} // namespace
} // namespace kivo::test
