#include "tests/support/PanelFixture.h"

#include "core/base/Strings.h"

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ChannelTest = PanelFixture;

// Reads a silent device costs: the first-byte wait (ten reads of the scripted link's 10 ms)
// and then ten empty reads.
constexpr int silentReadCount = 20;

struct WireCase {
    const char* name;
    std::string command;
    bool interactive;
    std::vector<std::string> wire;
};

class SendCommandWire : public PanelFixture, public ::testing::WithParamInterface<WireCase> {};

TEST_P(SendCommandWire, PutsExactlyTheseBytesOnTheLine)
{
    app.interactiveMode = GetParam().interactive;
    channel.sendCommand(GetParam().command);
    EXPECT_EQ(wire(), GetParam().wire);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendCommandWire,
    ::testing::Values(WireCase{"plain", "wsr 3", false, {"wsr 3\n"}},
                      WireCase{"promptDropped", "> wsr 3", false, {"wsr 3\n"}},
                      WireCase{
                          "textBeforePromptDropped", "junk> > win 1 on", false, {"> win 1 on\n"}},
                      WireCase{"blanksTrimmed", "  \twin 1 on  ", false, {"win 1 on\n"}},
                      WireCase{"singleSpaceKept", " ", false, {" \n"}},
                      WireCase{"interactiveSpaceAlone", " ", true, {" "}},
                      WireCase{"interactiveKeyAlone", "h", true, {"h"}},
                      WireCase{"bareLineFeed", "\n", false, {"\n"}},
                      WireCase{"emptySendsNothing", "", false, {}},
                      WireCase{"blanksOnlySendNothing", "   ", false, {}},
                      WireCase{"promptOnlySendsNothing", "> ", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTest, SendReturnsBytesWrittenAndPurgesFirst)
{
    EXPECT_EQ(channel.sendCommand("id"), 3u);
    EXPECT_EQ(link->purges, 1);
    EXPECT_EQ(channel.lastCommand(), "id");
}

TEST_F(ChannelTest, NothingIsSentWithoutALinkOrWhenTheWriteFails)
{
    link->failWrites(true);
    EXPECT_EQ(channel.sendCommand("id"), 0u);
    EXPECT_EQ(link->purges, 1) << "what is queued goes before the command does";
    app.serialHandle.reset();
    const Reply reply = channel.sendTextAndCollect("id", true);
    EXPECT_FALSE(reply.answered());
    EXPECT_EQ(reply.end, Reply::End::notSent);
}

TEST_F(ChannelTest, ReplySplitOverThreeReadsIsReturnedWhole)
{
    link->queue(std::string(80, 'a'));
    link->queue(std::string(80, 'b'));
    link->queue("tail");
    const Reply reply = channel.readReply();
    EXPECT_EQ(reply.text, std::string(80, 'a') + std::string(80, 'b') + "tail");
    EXPECT_EQ(reply.end, Reply::End::silence);
    EXPECT_EQ(link->reads, 4); // the last read finds nothing and ends the reply
    EXPECT_EQ(clock.now, 0) << "the first byte is read when it comes, not after a pause";
}

TEST_F(ChannelTest, FirstByteWaitAndTenEmptyReadsEndTheReadWithNothing)
{
    const Reply reply = channel.readReply();
    EXPECT_FALSE(reply.answered());
    EXPECT_EQ(reply.end, Reply::End::silence);
    EXPECT_EQ(link->reads, silentReadCount);
    EXPECT_EQ(app.failedReads, 1);
}

struct FramingCase {
    const char* name;
    std::vector<std::string> chunks;
    Reply::End end;
    int reads;
};

void PrintTo(const FramingCase& c, std::ostream* out) { *out << c.name; }

class ReplyFraming : public PanelFixture, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(ReplyFraming, EndsAtThePromptOrTheMarkerElseAtSilence)
{
    std::string sent;
    for (const std::string& chunk : GetParam().chunks) {
        link->queue(chunk);
        sent += chunk;
    }
    link->queueSilence(1);
    link->queue("next answer");
    const Reply reply = channel.readReply();
    EXPECT_EQ(reply.text, sent);
    EXPECT_EQ(reply.end, GetParam().end);
    EXPECT_EQ(link->reads, GetParam().reads);
}

// 80 bytes, a full read, that end with a listing line beginning with "> ".
const std::string fullReadEndingInPrompt = std::string(76, 'x') + "\r\n> ";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyFraming,
    ::testing::Values(
        FramingCase{"promptInTheSameRead", {"3 0 0 720 480\r\n> "}, Reply::End::prompt, 1},
        FramingCase{"promptAlone", {"> "}, Reply::End::prompt, 1},
        FramingCase{"promptSplitOverTwoReads", {"3 0 0 720 480\r\n>", " "}, Reply::End::prompt, 2},
        FramingCase{"promptInsideAListingAtAReadBoundary",
                    {fullReadEndingInPrompt, "quoted\r\n> "},
                    Reply::End::prompt,
                    2},
        FramingCase{"promptNotAtALineStart", {"a> b> "}, Reply::End::silence, 2},
        FramingCase{"deviceWithoutAPrompt", {"9600\r\n", "more\r\n"}, Reply::End::silence, 3},
        FramingCase{"pageEndsAtTheMarker", {"one\r\n----- MORE -----"}, Reply::End::more, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTest, AnswerToACommandSentWithoutReadingNeverEndsTheNextQuery)
{
    channel.sendCommand("echo off");
    link->queue("echo off\r\n");
    link->queue("> ");
    link->queue("3 0 0 720 480\r\n> ");
    const Reply reply = channel.sendTextAndCollect("wsr 3", false);
    EXPECT_EQ(reply.text, "3 0 0 720 480\r\n> ");
    EXPECT_THAT(wire(), ElementsAre("echo off\n", "wsr 3\n"));
}

TEST_F(ChannelTest, SeveralPromptOnlyAnswersInOneReadAreAllTaken)
{
    channel.sendCommand("win 1 on");
    channel.sendCommand("win 2 on");
    link->queue("> > ");
    link->queue("1 on  2 on\r\n> ");
    EXPECT_EQ(channel.sendTextAndCollect("win all", false).text, "1 on  2 on\r\n> ");
}

struct AnswerCheckCase {
    const char* name;
    std::vector<std::string> answers; // as the device gives them, then silence
    AnswerCheck expected;
    int readsForTheThird; // what the third command's answer costs in reads
};

class AnswerChecking : public PanelFixture,
                       public ::testing::WithParamInterface<AnswerCheckCase> {};

TEST_P(AnswerChecking, KeepsTheFirstCommandNotTakenAndStopsWaitingOnASilentDevice)
{
    // A silent answer is the caller's to report: it never ends the program as a lost link.
    app.linkEstablished = true;
    for (const std::string& answer : GetParam().answers)
        link->queue(answer);
    channel.beginAnswerCheck();
    channel.sendCommand("win 1 on");
    channel.sendCommand("win 2 on");
    const int readsBefore = link->reads;
    channel.sendCommand("win 3 on");
    const AnswerCheck check = channel.endAnswerCheck();
    EXPECT_EQ(check.command, GetParam().expected.command);
    EXPECT_EQ(check.answer, GetParam().expected.answer);
    EXPECT_EQ(check.refused, GetParam().expected.refused);
    EXPECT_EQ(link->reads - readsBefore, GetParam().readsForTheThird);
    EXPECT_THAT(processExit.codes, IsEmpty());
    // Once the check is over, commands go out without waiting again.
    const int readsAfter = link->reads;
    channel.sendCommand("win 4 on");
    EXPECT_EQ(link->reads, readsAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnswerChecking,
    ::testing::Values(
        AnswerCheckCase{"allTaken", {"> ", "> ", "> "}, {}, 1},
        AnswerCheckCase{"promptAfterALineEnd", {"\r\n> ", "> ", "\r\n> "}, {}, 1},
        AnswerCheckCase{
            "refused", {"> ", "Error: busy\r\n> ", "> "}, {"win 2 on", "Error: busy", true}, 1},
        AnswerCheckCase{"firstRefusalKept",
                        {"Error: one\r\n> ", "Error: two\r\n> ", "> "},
                        {"win 1 on", "Error: one", true},
                        1},
        AnswerCheckCase{"silentFromTheSecond", {"> "}, {"win 2 on", "", false}, 0},
        AnswerCheckCase{
            "garbledWithoutAPrompt", {"> ", "\x01\x7fzz"}, {"win 2 on", "\x01\x7fzz", false}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTest, PauseBeforeAQueryIsSkippedOnlyAfterTheDeviceSaidItIsReady)
{
    channel.pauseBeforeQuery(100);
    EXPECT_EQ(clock.now, 100) << "nothing said yet";
    link->queue("3 0 0 720 480\r\n> ");
    channel.sendTextAndCollect("wsr 3", false);
    channel.pauseBeforeQuery(100);
    EXPECT_EQ(clock.now, 100);
    channel.sendCommand("win 3 off");
    channel.pauseBeforeQuery(100);
    EXPECT_EQ(clock.now, 200) << "the device may still be busy with what was just sent";
}

// A serial-to-Ethernet converter hands a reply on in parts, with pauses of some 60 ms
// between them: six empty reads of the scripted link.
constexpr int converterPauseReads = 6;

void queueInParts(ScriptedLink& link, const std::vector<std::string>& parts)
{
    for (const std::string& part : parts) {
        link.queue(part);
        link.queueSilence(converterPauseReads);
    }
}

TEST_F(ChannelTest, ReplyFromAConverterIsReadWholeAcrossItsPauses)
{
    link->pause = 500;
    queueInParts(*link,
                 {"No. NAME     HFP HS\r\n", "1   Lobby wall   24 136\r\n", "2   Projector"});
    link->queue("  40 128\r\n> ");
    link->queue("Output mode: free-run\r\n> ");
    const Reply list = channel.sendTextAndCollect("hlist 1 27", true);
    EXPECT_EQ(list.text,
              "No. NAME     HFP HS\r\n1   Lobby wall   24 136\r\n2   Projector  40 128\r\n> ");
    EXPECT_EQ(list.end, Reply::End::prompt);
    EXPECT_EQ(channel.sendTextAndCollect("host", true).text, "Output mode: free-run\r\n> ");
}

struct PauseCase {
    const char* name;
    int linkPauseMs;
    // What reached the link after the first reply was taken as ended.
    std::string lateBytes;
    std::string secondReply;
};

void PrintTo(const PauseCase& c, std::ostream* out) { *out << c.name; }

class ReplyWithoutPrompt : public PanelFixture, public ::testing::WithParamInterface<PauseCase> {};

// A reply without a prompt ends at a silence: one empty read on a line that passes bytes on as
// they come, and longer than its pauses on a link that has said or shown that it pauses.
TEST_P(ReplyWithoutPrompt, EndsAtASilenceLongerThanTheLinksPauses)
{
    link->pause = GetParam().linkPauseMs;
    link->queue("Adjusting the output\r\n");
    channel.sendTextAndCollect("hi", false);
    link->arrivedUnread = GetParam().lateBytes;
    link->atNextWrite = [&] { queueInParts(*link, {"Adjusting ", "window 3\r\n"}); };
    EXPECT_EQ(channel.sendTextAndCollect("rgbi 3", false).text, GetParam().secondReply);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyWithoutPrompt,
    ::testing::Values(PauseCase{"plainLine", 0, "", "Adjusting "},
                      PauseCase{"lineThatShowedAPause", 0, "h l k j\r\n", "Adjusting window 3\r\n"},
                      PauseCase{"converter", 500, "", "Adjusting window 3\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTest, RestOfAnUnfinishedReplyIsNeverTakenAsTheNextAnswer)
{
    link->pause = 50; // a silence of 100 ms, ten empty reads, ends a reply
    link->queue("Adjusting window 3\r\n");
    link->queueSilence(10);
    link->queue("h l k j move\r\n"); // late, after the silence that ended the reply
    link->queueSilence(10);
    link->queue("3 0 0 720 480\r\n> ");
    EXPECT_EQ(channel.sendTextAndCollect("rgbi 3", false).text, "Adjusting window 3\r\n");
    EXPECT_EQ(channel.sendTextAndCollect("wsr 3", false).text, "3 0 0 720 480\r\n> ");
}

TEST_F(ChannelTest, ReplyNeverPassesTheLimitAndTheLastChunkIsCut)
{
    link->queue(std::string(5000, 'x'));
    const Reply reply = channel.readReply();
    EXPECT_EQ(reply.text.size(), CommandChannel::replyLimit);
    EXPECT_EQ(reply.end, Reply::End::limit);
    EXPECT_EQ(app.failedReads, 0);
}

TEST_F(ChannelTest, FailedReadEndsTheReplyAndCounts)
{
    link->queue("par");
    link->queueFailure();
    const Reply reply = channel.readReply();
    EXPECT_EQ(reply.text, "par");
    EXPECT_EQ(reply.end, Reply::End::linkFailed);
    EXPECT_EQ(app.failedReads, 1);
}

TEST_F(ChannelTest, EveryReadIsLoggedFollowedByMarks)
{
    ASSERT_TRUE(app.logFile.open(dir.file("Kivolog.txt").string()));
    link->queue("ok\r\n> ");
    channel.readReply();
    link->queueSilence(1);
    link->queue("late");
    channel.readReply();
    app.logFile.close();
    EXPECT_EQ(dir.read("Kivolog.txt"), "ok\r\n> @@@@late@@@@");
}

TEST_F(ChannelTest, TwoPageReplyIsJoinedAndTheDeviceGetsABareLineFeed)
{
    link->queue("  line one\r\nline two  \r\n----- MORE -----");
    link->queueSilence(1);
    link->queue("line three\r\n> ");
    const Reply reply = channel.sendTextAndCollect("help", true);
    EXPECT_THAT(wire(), ElementsAre("help\n", "\n"));
    EXPECT_EQ(reply.text, "line one\r\nline two\r\r\nline three\r\n> ");
    EXPECT_EQ(reply.end, Reply::End::prompt);
}

TEST_F(ChannelTest, MarkerAtTheStartDoesNotContinue)
{
    link->queue("----- MORE -----");
    channel.sendTextAndCollect("help", false);
    EXPECT_THAT(wire(), ElementsAre("help\n"));
}

TEST_F(ChannelTest, ContinuationThatCannotBeSentEndsWithWhatWasCollected)
{
    link->failWritesAfter(1);
    link->queue("page one\r\n----- MORE -----");
    link->queueSilence(1);
    EXPECT_EQ(channel.sendTextAndCollect("help", false).text, "page one\r\r\n");
}

struct EndlessPagingCase {
    const char* name;
    std::string page;
    // The command, then the line feeds that asked for more pages.
    std::size_t writes;
};

void PrintTo(const EndlessPagingCase& c, std::ostream* out) { *out << c.name; }

class EndlessPaging : public PanelFixture,
                      public ::testing::WithParamInterface<EndlessPagingCase> {};

TEST_P(EndlessPaging, IsFollowedOnlySoFarAndSaysTheDeviceKeptPaging)
{
    link->queue("first\r\n----- MORE -----");
    for (int page = 0; page < 1000; ++page)
        link->queue(GetParam().page + "----- MORE -----");
    const Reply reply = channel.sendTextAndCollect("help", false);
    EXPECT_EQ(wire().size(), GetParam().writes);
    EXPECT_EQ(reply.end, Reply::End::paging);
    EXPECT_TRUE(channel.deviceKeptPaging());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndlessPaging,
    ::testing::Values(EndlessPagingCase{"pagesOfALine", "x\r\n",
                                        CommandChannel::maxContinuations + 1},
                      // The first page and nine more bring 4685 bytes, markers counted: past the
                      // most a reply holds, although the text kept is not.
                      EndlessPagingCase{"pagesPastTheCap", std::string(500, 'x') + "\r\n", 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelTest, AfterEndlessPagingPagesAreNotFollowedUntilAnAnswerEndsWithThePrompt)
{
    link->queue("first\r\n----- MORE -----");
    for (int page = 0; page < 3; ++page)
        link->queue("----- MORE -----");
    channel.sendTextAndCollect("help", false);
    link->writes.clear();

    link->queue("one\r\n----- MORE -----");
    EXPECT_EQ(channel.sendTextAndCollect("hlist 1 27", false).end, Reply::End::paging);
    EXPECT_THAT(wire(), ElementsAre("hlist 1 27\n")) << "the next page is not asked for";

    link->queue("9600\r\n> ");
    channel.sendTextAndCollect("baud", false);
    EXPECT_FALSE(channel.deviceKeptPaging());
    link->writes.clear();
    link->queue("one\r\n----- MORE -----");
    link->queue("two\r\n> ");
    EXPECT_EQ(channel.sendTextAndCollect("hlist 1 27", false).text, "one\r\r\ntwo\r\n> ");
    EXPECT_THAT(wire(), ElementsAre("hlist 1 27\n", "\n"));
}

TEST_F(ChannelTest, FailedWritesOnAnEstablishedLinkEndTheProgramAsFailedReadsDo)
{
    app.linkEstablished = true;
    link->failWrites(true);
    for (int write = 1; write <= 4; ++write)
        EXPECT_FALSE(channel.sendTextAndCollect("id", true).answered());
    EXPECT_THAT(processExit.codes, IsEmpty());
    EXPECT_THROW(channel.sendCommand("win 1 on"), ProcessEnded);
    EXPECT_THAT(prompter.texts, ElementsAre(std::string(loadString(StringId::lostLink))));
}

TEST_F(ChannelTest, SilentReplyIsAskedOnceMoreAfterThePause)
{
    link->queueSilence(silentReadCount);
    link->queue("9600\r\n> ");
    EXPECT_EQ(channel.sendTextAndCollect("baud", true).text, "9600\r\n> ");
    EXPECT_EQ(clock.now, 2000);
}

TEST_F(ChannelTest, IdRetryPauseIsShorter)
{
    channel.sendAndCollect(StringId::echoQuery, true);
    EXPECT_EQ(clock.now, 1200);
}

TEST_F(ChannelTest, LostLinkEndsTheProgramOnlyWhenEstablishedAndOnlyAtTheFifthFailure)
{
    for (int read = 1; read <= 5; ++read)
        channel.readReply();
    EXPECT_THAT(processExit.codes, IsEmpty());

    app.linkEstablished = true;
    app.failedReads = 0;
    for (int read = 1; read <= 4; ++read)
        channel.readReply();
    EXPECT_THAT(processExit.codes, IsEmpty());
    EXPECT_THROW(channel.readReply(), ProcessEnded);
    EXPECT_THAT(processExit.codes, ElementsAre(0));
    EXPECT_THAT(prompter.texts, ElementsAre(std::string(loadString(StringId::lostLink))));
    EXPECT_TRUE(link->closed);
    EXPECT_THAT(wire(), ElementsAre("echo on\n"));
}

TEST_F(ChannelTest, AltShiftAbortsOnlyWhileNotIdleAndSaysNothing)
{
    keys.shift = keys.alt = true;
    app.idle = true;
    link->queue("ok");
    channel.readReply();
    EXPECT_THAT(processExit.codes, IsEmpty());

    app.idle = false;
    link->queue("ok");
    EXPECT_THROW(channel.readReply(), ProcessEnded);
    EXPECT_THAT(processExit.codes, ElementsAre(0));
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_TRUE(link->closed);
    EXPECT_NE(profile.readString("SERIALPORT", "baudrate"), "");
}

TEST_F(ChannelTest, ProgressStepsOncePerReadUntilTheCounterPassesItsBound)
{
    channel.setProgress(&progress);
    app.progressStepping = true;
    app.progressStep = PanelApp::progressStepFor(10);
    app.progressCounter = 95;
    for (int read = 0; read < 5; ++read)
        channel.readReply();
    // With ten windows each read adds 1 until the counter passes 99.
    EXPECT_EQ(progress.steps, 5);
    EXPECT_EQ(app.progressCounter, 100);
    channel.readReply();
    EXPECT_EQ(progress.steps, 5);
}

class ChannelEchoTest : public PanelFixture {
protected:
    ChannelEchoTest() { channel.setTerminal(&terminal); }
};

TEST_F(ChannelEchoTest, CommandsAppearBehindAPromptEachOnItsOwnLine)
{
    link->queue("ok\r\n> ");
    channel.sendTextAndCollect("win 1 on", false);
    channel.sendCommand("win 2 off");
    EXPECT_EQ(terminal.text(), "> win 1 on\r\r\nok\r\r\n> win 2 off\r\r\n");
}

TEST_F(ChannelEchoTest, NothingIsEchoedWhileTheIdleTerminalShowsTrafficItself)
{
    app.idle = true;
    terminal.terminalActive = true;
    channel.sendCommand("win 1 on");
    channel.echoToTerminal("text");
    EXPECT_EQ(terminal.text(), "");
}

TEST_F(ChannelEchoTest, BareLineFeedAndMarkedLinesAreNotEchoed)
{
    channel.sendCommand("\n");
    channel.sendCommand("garbageboopboop");
    EXPECT_EQ(terminal.text(), "");
}

} // namespace
} // namespace kivo::test
