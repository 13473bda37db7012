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
    EXPECT_EQ(channel.lastCommand(), "id");
}

TEST_F(ChannelTest, NothingIsSentWithoutALinkOrWhenTheWriteFails)
{
    link->failWrites(true);
    EXPECT_EQ(channel.sendCommand("id"), 0u);
    EXPECT_EQ(link->purges, 0);
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
    EXPECT_EQ(clock.now, 100);
}

TEST_F(ChannelTest, TenEmptyReadsEndTheReadWithNothing)
{
    const Reply reply = channel.readReply();
    EXPECT_FALSE(reply.answered());
    EXPECT_EQ(reply.end, Reply::End::silence);
    EXPECT_EQ(link->reads, 10);
    EXPECT_EQ(app.failedReads, 1);
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
    app.logFile.close();
    EXPECT_EQ(dir.read("Kivolog.txt"), "ok\r\n> @@@@");
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

TEST_F(ChannelTest, DeviceThatPagesForeverCannotHoldThePanel)
{
    for (int page = 0; page < CommandChannel::maxContinuations + 10; ++page) {
        link->queue("x\r\n----- MORE -----");
        link->queueSilence(1);
    }
    channel.sendTextAndCollect("help", false);
    EXPECT_EQ(static_cast<int>(wire().size()), CommandChannel::maxContinuations + 1);
}

TEST_F(ChannelTest, SilentReplyIsAskedOnceMoreAfterThePause)
{
    link->queueSilence(10);
    link->queue("9600\r\n> ");
    EXPECT_EQ(channel.sendTextAndCollect("baud", true).text, "9600\r\n> ");
    EXPECT_EQ(clock.now, 100 + 2000 + 100);
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
