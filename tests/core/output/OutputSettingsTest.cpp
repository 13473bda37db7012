#include "tests/support/PanelFixture.h"
#include "tests/support/Timings.h"

#include "core/base/Strings.h"
#include "core/output/OutputSettings.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TimingRecord xga() { return timingOf({24, 136, 160, 1024, 3, 6, 29, 768, 48363, 2, 1, 1, 0}); }

TEST(OutputTimingLine, FreeRunSendsThirteenValuesAutosyncEight)
{
    EXPECT_EQ(outputTimingLine(xga(), true), "ht 24 136 160 1024 3 6 29 768 48363 4 1 1 0");
    EXPECT_EQ(outputTimingLine(xga(), false), "ht 24 136 160 1024 3 6 29 768");
    TimingRecord zero = xga();
    zero.VACT = 0;
    zero.HFREQ = 0;
    zero.SYNC = 5;
    EXPECT_EQ(outputTimingLine(zero, true), "ht 24 136 160 1024 3 6 29 1 1 5 1 1 0");
}

TEST(OutputTimingLine, OnlyAWholeWordLockedCounts)
{
    EXPECT_TRUE(saysLocked("Output: auto, locked"));
    EXPECT_FALSE(saysLocked("Output: auto, locked_out"));
    EXPECT_TRUE(saysLocked("locked_out, locked"));
    EXPECT_FALSE(saysLocked("Output: auto, acquire"));
}

class RecordingStatus final : public OutputStatusReader {
public:
    void queryOutputStatus() override { ++queries; }
    void readOutputStatus(std::string_view reply) override { replies.emplace_back(reply); }
    int queries = 0;
    std::vector<std::string> replies;
};

// Setting 3 is a user setting, 5 is empty, 12 is a standard one; the output runs free.
class OutputSettingsTest : public PanelFixture {
protected:
    OutputSettingsTest()
    {
        app.idle = true;
        list.count = TimingList::outputSlots;
        for (int number = 1; number <= list.count; ++number) {
            TimingRecord& slot = list.slots[static_cast<std::size_t>(number - 1)];
            if (number != 5)
                slot = xga();
            slot.rowText = number == 5 ? placeholderRow(5) : formatRowText(number, slot);
            list.rows.push_back(slot.rowText);
        }
        list.selection = 0;
    }

    std::string last() const { return prompter.texts.empty() ? "" : prompter.texts.back(); }

    TimingList list{TimingList::Kind::output};
    TimingListCache cache{profile, prompter};
    TimingRecord output = xga();
    bool freeRun = true;
    RecordingStatus status;
    OutputSettings settings{{channel, prompter, clock, status}, list, cache, output, freeRun};
};

const std::string lockWaitText = "Autosync: waiting for the reference signal... ";

std::string lockWait(int seconds) { return lockWaitText + std::to_string(seconds) + " s"; }

TEST_F(OutputSettingsTest, AnEmptyPresetIsNotRecalled)
{
    EXPECT_FALSE(settings.recall(4));
    EXPECT_EQ(last(), "Output preset 5 is empty.");
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_EQ(list.selection, 0);
}

TEST_F(OutputSettingsTest, ARecallThatWorksReadsTheStatusAndOnlyUserSettingsCanBeDeleted)
{
    link->queueReply("> ");
    EXPECT_TRUE(settings.recall(2));
    EXPECT_THAT(wire(), ElementsAre("host load 3\n"));
    EXPECT_EQ(status.queries, 1);
    EXPECT_TRUE(list.deleteEnabled);
    link->queueReply("> ");
    EXPECT_TRUE(settings.recall(11));
    EXPECT_FALSE(list.deleteEnabled);
    EXPECT_EQ(list.selection, 11);
}

TEST_F(OutputSettingsTest, ARefusedRecallShowsTheReplyAndKeepsTheSelection)
{
    link->queueReply("Error: no such setting\r\n> ");
    EXPECT_FALSE(settings.recall(2));
    EXPECT_THAT(last(), ::testing::HasSubstr("Error: no such setting"));
    EXPECT_EQ(list.selection, 0);
    EXPECT_EQ(status.queries, 0);
}

TEST_F(OutputSettingsTest, AddRefusesWhatIsMissingOrOutOfRange)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        {"", "", formatString(StringId::needNumberAndName, 1, 10)},
        {"0", "Studio", formatString(StringId::needSettingNumber, 1, 10)},
        {"11", "Studio", formatString(StringId::needSettingNumber, 1, 10)},
        {"3x", "Studio", formatString(StringId::needSettingNumber, 1, 10)},
        {"3", "", formatString(StringId::needSettingName, 17)},
        {"3", "\r\n", formatString(StringId::needSettingName, 17)},
    };
    for (const auto& [number, name, message] : cases) {
        EXPECT_FALSE(settings.add(number, name)) << number << "/" << name;
        EXPECT_EQ(last(), message) << number << "/" << name;
    }
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(OutputSettingsTest, AddedNamesAreQuotedOnceAndNeverBreakTheLine)
{
    link->answerWrites("> ");
    list.slots[5].HACT = 0;
    EXPECT_TRUE(settings.add("6", "Stu\r\ndio\x1b"));
    EXPECT_TRUE(settings.add("6", "\"Wall\""));
    EXPECT_THAT(wire(), ElementsAre("host name \"Studio\"\n", "host save 6\n",
                                    "host name \"Wall\"\n", "host save 6\n"));
    EXPECT_EQ(list.slots[5].NAME, "Wall");
    EXPECT_EQ(list.rows[5], formatRowText(6, list.slots[5]));
    EXPECT_EQ(profile.readString("OUTPUTLIST", "6").substr(0, 4), "Wall");
    // The second add overwrote a set preset: it asked first.
    EXPECT_EQ(last(), "Output preset 6 is already set. Do you want to overwrite the current "
                      "setting with this one?");
}

// Storing or deleting setting 3, which the device did not take: a refusal, no answer, or one
// that never reaches the prompt.
TEST_F(OutputSettingsTest, AChangeTheDeviceDidNotTakeLeavesTheListAndTheIniFileAsTheyWere)
{
    struct Case {
        const char* name;
        bool deleting;
        std::vector<std::string> answers;
        std::vector<std::string> sent;
    };
    const std::string nameLine = "host name \"Studio\"\n";
    const std::string saveLine = "host save 3\n";
    const std::vector<Case> cases{
        {"name refused", false, {"Error: busy\r\n> "}, {nameLine}},
        {"name unanswered", false, {}, {nameLine}},
        {"save refused", false, {"> ", "Error: busy\r\n> "}, {nameLine, saveLine}},
        {"save unanswered", false, {"> "}, {nameLine, saveLine}},
        {"save answer noise", false, {"> ", "\xc1\xd7"}, {nameLine, saveLine}},
        {"delete refused", true, {"Error: busy\r\n> "}, {"hdel 3\n"}},
        {"delete unanswered", true, {}, {"hdel 3\n"}},
    };
    const TimingRecord held = list.slots[2];
    const std::string shown = list.rows[2];
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        link->writes.clear();
        for (const std::string& answer : c.answers)
            link->queueReply(answer);
        profile.writeString("OUTPUTLIST", "3", "kept");
        EXPECT_FALSE(c.deleting ? settings.remove(2) : settings.add("3", "Studio"));
        EXPECT_EQ(wire(), c.sent);
        EXPECT_EQ(last(), c.deleting ? "The Quadrix did not delete output setting 3."
                                     : "The Quadrix did not store output setting 3 as \"Studio\".");
        EXPECT_EQ(profile.readString("OUTPUTLIST", "3"), "kept");
        EXPECT_EQ(list.slots[2].NAME, held.NAME);
        EXPECT_EQ(list.rows[2], shown);
        EXPECT_EQ(list.selection, 0);
    }
}

TEST_F(OutputSettingsTest, DeleteOnlyUserSettingsAfterAsking)
{
    link->answerWrites("> ");
    EXPECT_FALSE(settings.remove(-1));
    EXPECT_EQ(last(), "No output setting is selected.");
    EXPECT_FALSE(settings.remove(11));
    EXPECT_EQ(last(), std::string(loadString(StringId::standardOutputSetting)));
    prompter.answers = {Prompter::Answer::no};
    EXPECT_FALSE(settings.remove(2));
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_TRUE(settings.remove(2));
    EXPECT_THAT(wire(), ElementsAre("hdel 3\n"));
    EXPECT_EQ(list.rows[2], placeholderRow(3));
    EXPECT_EQ(list.slots[2].HACT, 0);
    EXPECT_EQ(profile.readString("OUTPUTLIST", "3", "kept"), "");
}

TEST_F(OutputSettingsTest, AutosyncWithoutALockWithin15SecondsGoesBackToFreeRun)
{
    RecordingProgress wait;
    settings.setLockWaitView(&wait);
    const std::int64_t start = clock.now;
    EXPECT_EQ(settings.switchToAutosync(), OutputSettings::AutosyncOutcome::noReference);
    ASSERT_GE(wait.texts.size(), 3u);
    EXPECT_EQ(wait.texts.back(), "") << "the wait is over";
    wait.texts.pop_back();
    std::vector<int> seconds;
    for (const std::string& text : wait.texts) {
        seconds.push_back(std::atoi(text.c_str() + lockWaitText.size()));
        ASSERT_EQ(text, lockWait(seconds.back()));
    }
    EXPECT_EQ(seconds.front(), 0);
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
    EXPECT_GE(seconds.back(), 10) << "the wait is shown to its last poll";
    EXPECT_EQ(app.giveUpCommand, "");
    EXPECT_GE(clock.now - start, 15000);
    EXPECT_LT(clock.now - start, 15000 + 2 * 1200 + 1000);
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::noReferenceSignal)));
    EXPECT_EQ(wire().front(), "host auto\n");
    EXPECT_EQ(std::count(wire().begin(), wire().end(), "host free\n"), 1);
    EXPECT_TRUE(freeRun);
    EXPECT_EQ(status.queries, 1);
}

TEST_F(OutputSettingsTest, AutosyncThatLocksReadsTheStatusItGot)
{
    link->queue("> ");
    link->queueReply("Output: auto\r\nstatus: acquire\r\n> ");
    link->queueReply("Output: auto\r\nstatus: locked\r\n> ");
    EXPECT_EQ(settings.switchToAutosync(), OutputSettings::AutosyncOutcome::locked);
    EXPECT_FALSE(freeRun);
    EXPECT_EQ(app.giveUpCommand, "") << "a locked output is kept at exit";
    ASSERT_EQ(status.replies.size(), 1u);
    EXPECT_THAT(status.replies[0], ::testing::HasSubstr("locked"));
    EXPECT_EQ(settings.switchToAutosync(), OutputSettings::AutosyncOutcome::declined);
    EXPECT_TRUE(settings.switchToFreeRun());
    EXPECT_EQ(wire().back(), "host free\n");
    EXPECT_TRUE(freeRun);
}

TEST_F(OutputSettingsTest, PanelEndingBeforeTheLockPutsTheOutputBackToFreeRun)
{
    link->queue("> ");
    link->atNextRead = [this] { app.shutdown(); };
    settings.switchToAutosync();
    EXPECT_THAT(wire(), ElementsAre("host auto\n", "host free\n", "echo on\n"));
}

} // namespace
} // namespace kivo::test
