#include "tests/core/mirror/RecordingPages.h"
#include "tests/support/PanelFixture.h"
#include "tests/support/StartUpQueries.h"

#include "sim/SimLink.h"

#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/PanelState.h"
#include "core/panel/BringUp.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <stdexcept>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A panel whose link is the simulated Quadrix, with every command it receives recorded.
class BringUpTest : public PanelFixture {
protected:
    void connect(sim::QuadrixOptions options = {})
    {
        auto simulated = std::make_unique<sim::SimLink>(std::move(options));
        simulated->device().setCommandObserver(
            [this](std::string_view bytes) { received.emplace_back(bytes); });
        simulatedLink = std::move(simulated);
        app.serialHandle = std::make_unique<ForwardingLink>(*simulatedLink, &written);
    }

    std::unique_ptr<sim::SimLink> simulatedLink;
    std::vector<std::string> written; // what the panel wrote, whether the device read it or not
    PanelState state;
    RecordingPages pages;
    PanelContext context{app, channel, state, clock, prompter, pages, progress};
    BringUp bringUp{context};
    std::vector<std::string> received;
};

TEST_F(BringUpTest, StartUpAsksTheQueriesInOrderAndNothingElse)
{
    connect();
    bringUp.reset(true);
    std::vector<std::string> asked;
    for (const std::string& command : received)
        if (command != "\n") // continuations of paged lists
            asked.push_back(command);
    std::vector<int> rgb;
    for (int w = 1; w <= 10; ++w)
        if (state.mirror.window(w).inputType == InputType::rgb)
            rgb.push_back(w);
    EXPECT_THAT(rgb, ElementsAre(2, 5, 8, 10)) << "the RGB windows, found through mwsr";
    EXPECT_THAT(asked, ElementsAreArray(startUpQueries(rgb)));
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_TRUE(app.idle);
    EXPECT_EQ(pages.pages.back(), Page::virtualScreen);
}

TEST_F(BringUpTest, StartUpFillsTheMirrorFromTheDevice)
{
    connect();
    bringUp.reset(true);
    const DeviceMirror& mirror = state.mirror;
    EXPECT_EQ(mirror.windowCount, 10u);
    EXPECT_DOUBLE_EQ(mirror.firmwareRevision, 3.1);
    EXPECT_EQ(mirror.outputTiming.HACT, 1024);
    EXPECT_EQ(mirror.outputTiming.VACT, 768);
    EXPECT_EQ(mirror.outputWidth, 1024);
    int on = 0;
    for (const WindowRecord& window : mirror.windows)
        on += window.priority > 0;
    EXPECT_EQ(static_cast<unsigned>(on), mirror.windowsOn);
    EXPECT_EQ(state.outputList.rows.size(), 27u);
    EXPECT_EQ(state.inputList.rows.size(), 50u);
    EXPECT_FALSE(state.outputList.slots[0].rowText.empty());
    EXPECT_EQ(pages.deviceBaud, 9600);
    EXPECT_EQ(pages.baudRadio, 3);
    EXPECT_TRUE(app.restoreEchoOnExit);
    EXPECT_EQ(pages.abortHint, "Hold down the Alt key and Shift key to abort.");
    EXPECT_NE(profile.readString("OUTPUTLIST", "1"), "");
    EXPECT_TRUE(bringUp.deviceUnderstood());
}

TEST_F(BringUpTest, NoiseForAFirstAnswerStopsTheBringUpAtOnceAndSavesNothing)
{
    // What a device at another baud rate sends: bytes, never a prompt at a line start.
    for (int read = 0; read < 2000; ++read)
        link->queue(read % 2 == 0 ? std::string("\x8f\xe3~x?\x11") : std::string());
    app.portName = "/dev/ttyUSB0";
    app.serial.baudRate = 19200;
    bringUp.reset(true);
    EXPECT_THAT(link->writes, ElementsAre("echo\n")) << "nothing after the first question";
    EXPECT_THAT(prompter.texts, ElementsAre("Something answers on /dev/ttyUSB0 at 19200 baud, "
                                            "but not in words: the Quadrix may be set to another "
                                            "rate"));
    EXPECT_FALSE(app.connected());
    EXPECT_EQ(pages.pages.back(), Page::serialPort);
    app.shutdown();
    EXPECT_EQ(profile.readString("SERIALPORT", "baudrate"), "") << "the wrong rate is not kept";
}

TEST_F(BringUpTest, WithoutALinkThePanelWaitsOnTheSerialPortPage)
{
    app.serialHandle.reset();
    bringUp.reset(true);
    EXPECT_THAT(pages.pages, ElementsAre(Page::serialPort));
    EXPECT_THAT(progress.texts, ElementsAre("No connection. Reset from Serial Port page."));
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(state.mirror.window(n).priority, n);
        EXPECT_TRUE(state.mirror.window(n).present);
    }
    EXPECT_THAT(pages.arrangements, ElementsAre(4));
    EXPECT_TRUE(app.idle);
}

struct UnreadAnswerCase {
    const char* query;
    const char* reply;
};

void PrintTo(const UnreadAnswerCase& c, std::ostream* out) { *out << c.query; }

class UnreadStartUpAnswer : public BringUpTest,
                            public ::testing::WithParamInterface<UnreadAnswerCase> {};

TEST_P(UnreadStartUpAnswer, IsNamedAndSaidToLeaveStartValues)
{
    sim::QuadrixOptions options;
    options.fixedReplies.add(GetParam().query, GetParam().reply);
    connect(std::move(options));
    bringUp.reset(true);
    EXPECT_THAT(bringUp.unreadQueries(), ElementsAre(GetParam().query));
    ASSERT_FALSE(prompter.texts.empty());
    EXPECT_THAT(prompter.texts.back(),
                HasSubstr("answer to \"" + std::string(GetParam().query) + "\" could not be read"));
}

INSTANTIATE_TEST_SUITE_P(Queries, UnreadStartUpAnswer,
                         ::testing::Values(UnreadAnswerCase{"host", "Error: busy\r\n"},
                                           UnreadAnswerCase{"hlist 1 27", "Error: list busy\r\n"},
                                           UnreadAnswerCase{"priority all", "Error: busy\r\n"},
                                           UnreadAnswerCase{"win all", "Error: busy\r\n"},
                                           UnreadAnswerCase{"wsr 3", "3 0 0\r\n"},
                                           UnreadAnswerCase{"baud", "Baud rate: fast\r\n"}),
                         [](const auto& info) {
                             std::string name = info.param.query;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(BringUpTest, WindowsTheDeviceLacksAreNotUnreadAnswers)
{
    sim::QuadrixOptions options;
    options.windowCount = 4;
    connect(std::move(options));
    bringUp.reset(true);
    EXPECT_THAT(bringUp.unreadQueries(), IsEmpty());
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(BringUpTest, DeviceThatPagesForEverIsToldOnceAndNotFollowedAfterwards)
{
    sim::QuadrixOptions options;
    options.endlessPagingAfter = 0;
    connect(std::move(options));
    app.portName = "/dev/ttyUSB0";
    bringUp.reset(true);
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr("on /dev/ttyUSB0 kept paging")));
    const auto continuations = std::count(received.begin(), received.end(), "\n");
    EXPECT_LE(continuations, CommandChannel::maxContinuations)
        << "only the first endless answer is followed";
}

TEST_F(BringUpTest, ResetWithoutEchoQueryAsksForTheWindowTypes)
{
    sim::QuadrixOptions options;
    options.windowCount = 4;
    connect(std::move(options));
    bringUp.reset(false);
    EXPECT_THAT(received, ::testing::Contains("id\n"));
    EXPECT_EQ(state.mirror.windowCount, 4u);
    EXPECT_FALSE(state.mirror.window(5).present);
}

const std::string hostHeader =
    "                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL\r\n";

struct OutputSizeCase {
    const char* name;
    std::string status;
    int hact;
    std::vector<std::string> messages;
};

class OutputSize : public BringUpTest, public ::testing::WithParamInterface<OutputSizeCase> {};

TEST_P(OutputSize, OutOfRangeIsToldWhileLockedAndKeptAsRead)
{
    link->queue(GetParam().status + hostHeader + "Output timing:         24  136 160 " +
                std::to_string(GetParam().hact) + " 3   6  29  768  48363 3    0    0    0\r\n");
    bringUp.queryOutputStatus();
    EXPECT_THAT(wire(), ElementsAre("host\n"));
    EXPECT_EQ(state.mirror.outputTiming.HACT, GetParam().hact);
    EXPECT_EQ(state.mirror.outputWidth, GetParam().hact);
    EXPECT_EQ(prompter.texts, GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputSize,
    ::testing::Values(
        OutputSizeCase{"inRange", "", 1024, {}},
        OutputSizeCase{
            "narrowLocked",
            "",
            100,
            {"Bad HACT output value: 100. The range for horizontal active values is 200 to 2048."}},
        OutputSizeCase{"narrowAcquiring", "Output status: acquire\r\n", 100, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BringUpTest, OutputTimingStaysAsItWasWhenTheHostQueryIsNotAnswered)
{
    state.mirror.outputFreeRun = true;
    state.mirror.outputTiming.HACT = 800;
    for (const std::string& reply : {std::string(), std::string("Error: busy\r\n> ")}) {
        link->queueReply(reply);
        bringUp.queryOutputStatus();
        EXPECT_TRUE(state.mirror.outputFreeRun);
        EXPECT_EQ(state.mirror.outputTiming.HACT, 800);
        EXPECT_EQ(state.mirror.outputTiming.locked, 0);
    }
}

TEST_F(BringUpTest, HostReplyKeepsDivisorsNonZeroButTheOutputSizeAsRead)
{
    link->queue(
        "Output mode: free-run\r\n" + hostHeader +
        "Output timing:         24  136 160 1024 3   6  29  0    0     3    0    0    0\r\n");
    bringUp.queryOutputStatus();
    EXPECT_EQ(state.mirror.outputTiming.VACT, 1);
    EXPECT_EQ(state.mirror.outputTiming.HFREQ, 1);
    EXPECT_EQ(state.mirror.outputHeight, 0);
    EXPECT_TRUE(state.mirror.outputFreeRun);
    EXPECT_EQ(prompter.texts.size(), 1u); // VACT 0 is out of range
}

// The canvas pictures the device's windows at the output's size: when a recalled setting
// changes the size, the rectangles are read again, so the canvas shows what the device holds.
TEST_F(BringUpTest, AnOutputOfAnotherSizeReadsTheWindowRectanglesAgain)
{
    connect();
    bringUp.reset(true);
    OutputSettings settings({channel, prompter, clock, bringUp}, state.outputList,
                            bringUp.listCache(), state.mirror.outputTiming,
                            state.mirror.outputFreeRun);
    const auto settingOfSize = [&](int width, int height) {
        for (int position = 0; position < state.outputList.count; ++position) {
            const TimingRecord& slot =
                state.outputList.slots.at(static_cast<std::size_t>(position));
            if (slot.HACT == width && slot.VACT == height && !slot.rowText.empty())
                return position;
        }
        throw std::runtime_error("no setting of that size");
    };
    const auto rectangleQueries = [&] {
        std::vector<std::string> asked;
        for (const std::string& command : received)
            if (command.starts_with("wdr"))
                asked.push_back(command);
        return asked;
    };
    std::vector<std::string> allWindows;
    for (int number = 1; number <= 10; ++number)
        allWindows.push_back("wdr " + std::to_string(number) + "\n");

    received.clear();
    ASSERT_TRUE(settings.recall(settingOfSize(1024, 768)));
    EXPECT_THAT(rectangleQueries(), IsEmpty()) << "the size did not change";

    received.clear();
    ASSERT_TRUE(settings.recall(settingOfSize(800, 600)));
    EXPECT_THAT(rectangleQueries(), ElementsAreArray(allWindows));
    const WindowRecord& fifth = state.mirror.window(5);
    EXPECT_EQ(fifth.destRect, (Rect{0, 256, 256, 512}));
    EXPECT_EQ(fifth.viewRect, mapOutputToView(fifth.destRect, 800, 600));
}

TEST_F(BringUpTest, AltShiftDuringTheBringUpShutsDownInOrder)
{
    connect();
    keys.shift = keys.alt = true;
    EXPECT_THROW(bringUp.reset(true), ProcessEnded);
    EXPECT_THAT(processExit.codes, ElementsAre(0));
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_THAT(written, ElementsAre("echo\n", "echo on\n"));
    const Profile reread(dir.file("Kivo.ini"));
    EXPECT_EQ(reread.readString("SERIALPORT", "baudrate"), "9600");
}

TEST_F(BringUpTest, DeviceFallingSilentEndsTheProgramWithTheLostLinkMessage)
{
    sim::QuadrixOptions options;
    options.silentAfter = 4;
    connect(std::move(options));
    EXPECT_THROW(bringUp.reset(true), ProcessEnded);
    EXPECT_THAT(processExit.codes, ElementsAre(0));
    // The list that went unanswered says so first; the fifth silent read ends the program.
    ASSERT_FALSE(prompter.texts.empty());
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::lostLink)));
    EXPECT_EQ(written.back(), "echo on\n");
    const Profile reread(dir.file("Kivo.ini"));
    EXPECT_EQ(reread.loadError(), "");
    EXPECT_EQ(reread.readString("SERIALPORT", "stopbits"), "0");
}

} // namespace
} // namespace kivo::test
