#include "tests/support/FakeControls.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/Timings.h"

#include "core/base/Strings.h"
#include "core/inputs/InputSettings.h"
#include "core/inputs/InputTimingTarget.h"
#include "core/output/OutputSettings.h"
#include "core/output/OutputTimingTarget.h"
#include "core/timing/TimingForm.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingTarget.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int hFrontPorch = 0;
constexpr int hBlank = 3;
constexpr int hActive = 4;
constexpr int hTotal = 5;
constexpr int vActive = 10;

// XGA at 60 Hz: four-wire sync, positive horizontal and negative vertical sync, progressive.
TimingRecord xga() { return timingOf({24, 136, 160, 1024, 3, 6, 29, 768, 48363, 4, 1, 0, 0}); }

const std::array<std::string, timingBoxCount> xgaBoxes{
    "24", "136", "160", "320", "1024", "1344", "3", "6", "29", "38", "768", "806", "48363"};

// The Output Timing dialog's boxes over an XGA output in free-run, and the Input Timing
// dialog's over window 2 running the same timing.
class TimingFormTest : public PanelFixture {
protected:
    TimingFormTest() { app.idle = true; }

    TimingBoxes editsAsBoxes()
    {
        TimingBoxes pointers{};
        for (std::size_t box = 0; box < edits.size(); ++box)
            pointers[box] = &edits[box];
        return pointers;
    }

    std::array<std::string, timingBoxCount> texts() const
    {
        std::array<std::string, timingBoxCount> shown;
        for (std::size_t box = 0; box < edits.size(); ++box)
            shown[box] = edits[box].content;
        return shown;
    }

    void type(int box, const std::string& text)
    {
        edits[static_cast<std::size_t>(box)].content = text;
        edits[static_cast<std::size_t>(box)].modified = true;
    }

    std::string last() const { return prompter.texts.empty() ? "" : prompter.texts.back(); }

    std::array<FakeEdit, timingBoxCount> edits;
    TimingBoxes boxes = editsAsBoxes();
    TimingList list{TimingList::Kind::output};
    TimingRecord output = xga();
    bool freeRun = true;
    CountingStatus status;
    OutputTimingTarget outputTarget{output, freeRun, status};
    TimingForm outputForm{
        outputTimingForm, {channel, prompter, numericEntry}, outputTarget, list, boxes};
    TimingRecord windowTiming = xga();
    CountingWindows windows;
    InputTimingTarget inputTarget{2, windowTiming, windows};
    TimingForm inputForm{
        inputTimingForm, {channel, prompter, numericEntry}, inputTarget, list, boxes};
};

TEST_F(TimingFormTest, FillShowsBlankAndTotalAndTheRadios)
{
    outputForm.open();
    EXPECT_THAT(texts(), ElementsAreArray(xgaBoxes));
    EXPECT_EQ(outputForm.radios(), (TimingRadios{1, 0, 1, 1}));
    for (const FakeEdit& edit : edits)
        EXPECT_FALSE(edit.modified);
}

TEST_F(TimingFormTest, FillOfHostileValuesNeitherOverflowsNorGuessesARadio)
{
    output.HFP = INT_MAX;
    output.HS = INT_MAX;
    output.SYNC = 0;
    output.HPOL = 7;
    outputForm.fill();
    EXPECT_EQ(edits[hBlank].content, "4294967454");
    EXPECT_EQ(edits[hTotal].content, "4294968478");
    EXPECT_LT(outputForm.radios().sync, 0);
    EXPECT_EQ(outputForm.radios().hpol, 1);
}

struct CheckCase {
    const char* what;
    bool input;
    bool freeRun;
    int box;
    std::string typed;
    bool accepted;
    std::string shown;      // the box afterwards
    std::string message;    // empty: none
    std::string blankShown; // the direction's blank afterwards
};

TEST_F(TimingFormTest, EachBoxChecksItsRangeAndRecomputesItsDirection)
{
    const std::string porchRange = formatString(StringId::integerRange, 0, 512);
    const std::vector<CheckCase> cases{
        {"porch in range", false, true, hFrontPorch, "30", true, "30", "", "326"},
        {"porch too wide", false, true, hFrontPorch, "600", false, "24", porchRange, "320"},
        {"porch left empty", false, true, hFrontPorch, "", true, "", "", "320"},
        {"vertical sync", false, true, 7, "513", false, "6", porchRange, "320"},
        {"active too narrow", false, true, hActive, "100", false, "1024",
         formatString(StringId::integerRange, 200, 2048), "320"},
        {"blank is not typed", false, true, hBlank, "9999", true, "9999", "", "9999"},
        {"vertical active", false, true, vActive, "100", false, "768",
         formatString(StringId::integerRange, 150, 2048), "320"},
        {"frequency", false, true, frequencyBox, "9000", false, "48363",
         formatString(StringId::integerRange, 15000, 100000), "320"},
        {"frequency in autosync", false, false, frequencyBox, "9000", true, "9000", "", "320"},
        {"input vertical active", true, true, vActive, "100", true, "100", "", "320"},
        {"input porch", true, true, 2, "600", false, "160", porchRange, "320"},
    };
    for (const CheckCase& c : cases) {
        prompter.texts.clear();
        freeRun = c.freeRun;
        TimingForm& form = c.input ? inputForm : outputForm;
        form.open();
        type(c.box, c.typed);
        EXPECT_EQ(form.check(c.box), c.accepted) << c.what;
        EXPECT_EQ(edits[static_cast<std::size_t>(c.box)].content, c.shown) << c.what;
        EXPECT_EQ(last(), c.message) << c.what;
        EXPECT_EQ(edits[hBlank].content, c.blankShown) << c.what;
    }
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(TimingFormTest, ARecomputeWritesBlankAndTotalFromTheOtherFour)
{
    outputForm.open();
    type(7, "10");
    EXPECT_TRUE(outputForm.check(7));
    EXPECT_EQ(edits[9].content, "42");
    EXPECT_EQ(edits[11].content, "810");
    EXPECT_EQ(edits[hBlank].content, "320");
}

TEST_F(TimingFormTest, ApplySendsAllThirteenValuesInFreeRunAndEightInAutosync)
{
    const std::vector<std::pair<bool, std::string>> cases{
        {true, "ht 30 136 160 1024 3 6 29 768 50000 5 0 0 1\n"},
        {false, "ht 30 136 160 1024 3 6 29 768\n"},
    };
    for (const auto& [running, line] : cases) {
        link->writes.clear();
        output = xga();
        freeRun = running;
        list.deleteEnabled = true;
        outputForm.open();
        type(hFrontPorch, "30");
        type(frequencyBox, "50000");
        outputForm.setRadios({2, 1, 1, 0});
        link->queueReply("> ");
        EXPECT_TRUE(outputForm.apply());
        EXPECT_THAT(wire(), ElementsAre(line));
        EXPECT_FALSE(list.deleteEnabled);
        // Shown again as stored, blank and total included.
        EXPECT_EQ(edits[hBlank].content, "326");
        EXPECT_EQ(output.HFP, 30);
    }
    EXPECT_EQ(status.queries, 2);
}

TEST_F(TimingFormTest, ApplyFillsInWhatWasLeftEmpty)
{
    outputForm.open();
    type(hFrontPorch, "");
    type(hBlank, "330");
    type(hTotal, "");
    link->queueReply("> ");
    EXPECT_TRUE(outputForm.apply());
    EXPECT_THAT(wire(), ElementsAre("ht 34 136 160 1024 3 6 29 768 48363 4 1 0 0\n"));
    EXPECT_EQ(edits[hTotal].content, "1354");
}

TEST_F(TimingFormTest, AnIncompleteTimingIsNotSent)
{
    outputForm.open();
    type(hFrontPorch, "");
    type(1, "");
    EXPECT_FALSE(outputForm.apply());
    EXPECT_EQ(last(), std::string(loadString(StringId::horizontalBlankUnknown)));
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_EQ(output.HFP, 24);
}

TEST_F(TimingFormTest, ARefusalIsToldInTheDialogsOwnWords)
{
    const std::vector<std::pair<bool, StringId>> cases{{false, StringId::outputRejected},
                                                       {true, StringId::inputRejected}};
    for (const auto& [input, message] : cases) {
        TimingForm& form = input ? inputForm : outputForm;
        form.open();
        link->queueReply("Error: bad timing\r\n> ");
        EXPECT_FALSE(form.apply());
        EXPECT_EQ(last(), std::string(loadString(message)));
    }
    EXPECT_EQ(status.queries, 0);
    EXPECT_THAT(windows.queried, IsEmpty());
}

TEST_F(TimingFormTest, InputApplySendsTheWindowsEightValuesAndReadsTheWindow)
{
    inputForm.open();
    type(6, "5");
    type(frequencyBox, "50000");
    inputForm.setRadios({0, 1, 0, 0});
    link->queueReply("> ");
    EXPECT_TRUE(inputForm.apply());
    EXPECT_THAT(wire(), ElementsAre("rgbt 2 24 136 160 1024 5 6 29 768\n"));
    EXPECT_THAT(windows.queried, ElementsAre(2));
    EXPECT_EQ(windowTiming.VFP, 5);
    // The input's signal values are the source's; the dialog does not store them.
    EXPECT_EQ(windowTiming.HFREQ, 48363);
    EXPECT_EQ(windowTiming.SYNC, 4);
}

TEST_F(TimingFormTest, AnInputWithoutASyncModeSendsNothing)
{
    windowTiming.SYNC = 0;
    inputForm.open();
    EXPECT_FALSE(inputForm.apply());
    EXPECT_EQ(last(), std::string(loadString(StringId::noSyncMode)));
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(TimingFormTest, CancelChangesAsksThenSendsTheTimingTheDialogOpenedWith)
{
    inputForm.open();
    type(hFrontPorch, "40");
    link->queueReply("> ");
    ASSERT_TRUE(inputForm.apply());
    prompter.answers = {Prompter::Answer::cancel};
    EXPECT_FALSE(inputForm.cancelChanges());
    EXPECT_EQ(last(), formatString(StringId::cancelInputQuestion, 2));
    EXPECT_EQ(edits[hFrontPorch].content, "40");
    link->queueReply("> ");
    EXPECT_TRUE(inputForm.cancelChanges());
    EXPECT_THAT(wire(), ElementsAre("rgbt 2 40 136 160 1024 3 6 29 768\n",
                                    "rgbt 2 24 136 160 1024 3 6 29 768\n"));
    EXPECT_THAT(texts(), ElementsAreArray(xgaBoxes));
}

TEST_F(TimingFormTest, WithoutALinkNothingIsAppliedOrAsked)
{
    app.serialHandle.reset();
    outputForm.open();
    EXPECT_FALSE(outputForm.canApply());
    EXPECT_FALSE(outputForm.apply());
    EXPECT_FALSE(outputForm.cancelChanges());
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(TimingFormTest, ResetReadsTheTimingAgainAndShowsIt)
{
    outputForm.open();
    type(hFrontPorch, "99");
    output.HFP = 28;
    outputForm.reset();
    EXPECT_EQ(status.queries, 1);
    EXPECT_EQ(edits[hFrontPorch].content, "28");
    EXPECT_EQ(edits[hBlank].content, "324");
}

} // namespace
} // namespace kivo::test
