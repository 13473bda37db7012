#include "tests/support/PanelFixture.h"

#include "core/app/Strings.h"

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ChannelTest = PanelFixture;

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

TEST_F(ChannelTest, SendReturnsBytesWrittenAndPurgesAfterTheWrite)
{
    EXPECT_EQ(channel.sendCommand("id"), 3u);
    EXPECT_EQ(link->purges, 1);
    EXPECT_EQ(app.lastCommand, "id");
}

TEST_F(ChannelTest, NothingIsSentWithoutALinkOrWhenTheWriteFails)
{
    link->failWrites(true);
    EXPECT_EQ(channel.sendCommand("id"), 0u);
    EXPECT_EQ(link->purges, 0);
    app.serialHandle.reset();
    EXPECT_EQ(channel.sendTextAndCollect("id", true), 0u);
}

TEST_F(ChannelTest, ReplySplitOverThreeReadsIsReturnedWhole)
{
    link->queue(std::string(80, 'a'));
    link->queue(std::string(80, 'b'));
    link->queue("tail");
    EXPECT_EQ(channel.readReply(), 164u);
    EXPECT_EQ(app.rawReply, std::string(80, 'a') + std::string(80, 'b') + "tail");
    EXPECT_EQ(link->reads, 4); // the last read finds nothing and ends the reply
    EXPECT_EQ(clock.now, 100);
}

TEST_F(ChannelTest, TenEmptyReadsEndTheReadWithNothing)
{
    EXPECT_EQ(channel.readReply(), 0u);
    EXPECT_EQ(link->reads, 10);
    EXPECT_EQ(app.failedReads, 1);
}

TEST_F(ChannelTest, ReplyNeverPassesTheLimitAndTheLastChunkIsCut)
{
    link->queue(std::string(5000, 'x'));
    EXPECT_EQ(channel.readReply(), CommandChannel::replyLimit);
    EXPECT_EQ(app.rawReply.size(), CommandChannel::replyLimit);
    EXPECT_EQ(app.failedReads, 0);
}

TEST_F(ChannelTest, FailedReadEndsTheReplyAndCounts)
{
    link->queue("par");
    link->queueFailure();
    EXPECT_EQ(channel.readReply(), 3u);
    EXPECT_EQ(app.failedReads, 1);
}

TEST_F(ChannelTest, EveryReadIsLoggedFollowedByMarks)
{
    ASSERT_TRUE(app.logFile.open(dir.file("Kivolog.txt").string()));
    link->queue("ok\r\n> ");
    channel.readReply();
    app.logFile.close();
    EXPECT_EQ(dir.read("Kivolog.txt"), "ok\r\n> @@@@");
}

TEST_F(ChannelTest, TwoPageReplyIsJoinedAndTheDeviceGetsABareLineFeed)
{
    link->queue("  line one\r\nline two  \r\n----- MORE -----");
    link->queueSilence(1);
    link->queue("line three\r\n> ");
    channel.sendTextAndCollect("help", true);
    EXPECT_THAT(wire(), ElementsAre("help\n", "\n"));
    EXPECT_EQ(app.collectedReply, "line one\r\nline two\r\r\nline three\r\n> ");
    EXPECT_FALSE(app.moreContinuation);
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
    channel.sendTextAndCollect("help", false);
    EXPECT_EQ(app.collectedReply, "page one\r\r\n");
    EXPECT_FALSE(app.moreContinuation);
}

TEST_F(ChannelTest, DeviceThatPagesForeverCannotHoldThePanel)
{
    for (int page = 0; page < CommandChannel::maxContinuations + 10; ++page) {
        link->queue("x\r\n----- MORE -----");
        link->queueSilence(1);
    }
    channel.sendTextAndCollect("help", false);
    EXPECT_EQ(static_cast<int>(wire().size()), CommandChannel::maxContinuations + 1);
    EXPECT_FALSE(app.moreContinuation);
}

TEST_F(ChannelTest, SilentReplyIsAskedOnceMoreAfterThePause)
{
    link->queueSilence(10);
    link->queue("9600\r\n> ");
    EXPECT_GT(channel.sendTextAndCollect("baud", true), 0u);
    EXPECT_EQ(clock.now, 100 + 2000 + 100);
    EXPECT_EQ(app.collectedReply, "9600\r\n> ");
}

TEST_F(ChannelTest, IdRetryPauseIsShorter)
{
    link->queueSilence(10);
    channel.sendAndCollect(StringId::echoQuery, true);
    EXPECT_EQ(clock.now, 100 + 1200 + 100);
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
    EXPECT_EQ(terminal.content, "> win 1 on\r\r\nok\r\r\n> win 2 off\r\r\n");
    EXPECT_EQ(terminal.caret, terminal.content.size());
}

TEST_F(ChannelEchoTest, NothingIsEchoedWhileTheIdleTerminalShowsTrafficItself)
{
    app.idle = true;
    app.terminalActive = true;
    channel.sendCommand("win 1 on");
    channel.echoToTerminal("text");
    EXPECT_EQ(terminal.content, "");
}

TEST_F(ChannelEchoTest, BareLineFeedAndMarkedLinesAreNotEchoed)
{
    channel.sendCommand("\n");
    channel.sendCommand("garbageboopboop");
    EXPECT_EQ(terminal.content, "");
}

TEST_F(ChannelEchoTest, TextOneCharacterPastTheLimitKeepsItsLast8192)
{
    terminal.content = std::string(16000, 'a');
    std::string added(384, 'b');
    added.back() = 'z';
    channel.echoToTerminal(added + "!");
    ASSERT_EQ(terminal.content.size(), 8192u);
    EXPECT_EQ(terminal.content.substr(8190), "z!");
    EXPECT_EQ(terminal.caret, 8192u);
}

TEST_F(ChannelEchoTest, TerminalReaderShowsChunksAsTheyArriveWithoutLoggingOrCounting)
{
    terminal.content = "> id\r\r\n";
    link->queue("  Quadrix\n");
    link->queue("> ");
    EXPECT_TRUE(channel.ReadCommForTerm());
    EXPECT_EQ(terminal.content, "> id\r\r\nQuadrix\r\r\n> ");
    EXPECT_EQ(link->reads, 3);
    EXPECT_EQ(app.failedReads, 0);
    EXPECT_EQ(clock.now, 0) << "no pause before the first read";
}

TEST_F(ChannelEchoTest, TerminalReaderGivesUpAfterTenEmptyReadsAndReportsAFailure)
{
    EXPECT_TRUE(channel.ReadCommForTerm());
    EXPECT_EQ(link->reads, 10);
    EXPECT_EQ(app.failedReads, 0);
    link->queueFailure();
    EXPECT_FALSE(channel.ReadCommForTerm());
    EXPECT_THAT(prompter.titles, ElementsAre("Bad read in function ReadCommForTerm()"));
}

TEST_F(ChannelEchoTest, TextAtTheLimitIsKept)
{
    terminal.content = std::string(16383, 'a');
    channel.echoToTerminal("b");
    EXPECT_EQ(terminal.content.size(), 16384u);
}

} // namespace
} // namespace kivo::test
