#include "tests/core/mirror/RecordingPages.h"
#include "tests/support/PanelFixture.h"

#include "core/mirror/PanelState.h"
#include "core/mirror/WindowReadback.h"
#include "core/panel/BringUp.h"

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;

class ReadbackTest : public PanelFixture {
protected:
    PanelState state;
    RecordingPages pages;
    PanelContext context{app, channel, state, clock, prompter, pages, progress};
    WindowReadback readback{context};
    DeviceMirror& mirror = state.mirror;

    std::vector<int> priorities(int count) const
    {
        std::vector<int> result;
        for (int n = 1; n <= count; ++n)
            result.push_back(mirror.window(n).priority);
        return result;
    }
};

TEST_F(ReadbackTest, SourceReplyWithWindowNumberGivesTheRectangleAndItsText)
{
    link->queue("3 10 20 320 240\r\n> ");
    readback.readWindowRect(StringId::windowSourceQuery, 3);
    EXPECT_THAT(wire(), ElementsAre("wsr 3\n"));
    EXPECT_EQ(mirror.window(3).sourceRect, (Rect{10, 20, 330, 260}));
    EXPECT_EQ(mirror.window(3).sourceText, "10 20 320 240");
}

TEST_F(ReadbackTest, SourceReplyWithThreeNumbersStoresNothing)
{
    link->queue("10 20 320\r\n> ");
    readback.readWindowRect(StringId::windowSourceQuery, 3);
    EXPECT_EQ(mirror.window(3).sourceRect, (Rect{0, 0, 640, 480}));
    EXPECT_EQ(mirror.window(3).sourceText, "");
}

TEST_F(ReadbackTest, SourceCannotBecomeSmallerThanATenthOfTheInput)
{
    mirror.window(2).inputWidth = 720;
    mirror.window(2).inputHeight = 480;
    link->queue("2 100 50 10 5\r\n> ");
    readback.readWindowRect(StringId::windowSourceQuery, 2);
    EXPECT_EQ(mirror.window(2).sourceRect, (Rect{100, 50, 172, 98}));
}

TEST_F(ReadbackTest, DestinationIsKeptAndScaledToTheCanvasGrabbable)
{
    mirror.outputTiming.HACT = 1024;
    mirror.outputTiming.VACT = 768;
    link->queue("1 0 0 512 384\r\n> ");
    readback.readWindowRect(StringId::windowDestQuery, 1);
    EXPECT_EQ(mirror.window(1).viewRect, (Rect{11, 19, 188, 144}));
    EXPECT_EQ(mirror.window(1).destRect, (Rect{0, 0, 512, 384}));
    link->queue("2 100 100 20 20\r\n> ");
    readback.readWindowRect(StringId::windowDestQuery, 2);
    EXPECT_EQ(mirror.window(2).viewRect, (Rect{45, 51, 89, 84}));
    EXPECT_EQ(mirror.window(2).destRect, (Rect{100, 100, 120, 120}));
    EXPECT_EQ(mirror.window(2).canvasWidth, 44);
    EXPECT_EQ(mirror.window(2).canvasHeight, 33);
}

struct OnOffCase {
    const char* name;
    std::vector<int> stacked; // priorities before "win all"
    std::string reply;
    std::vector<int> after;
    unsigned windowsOn;
};

class WinAll : public ReadbackTest, public ::testing::WithParamInterface<OnOffCase> {};

TEST_P(WinAll, SwitchesOffAndRenumbersWithoutGaps)
{
    mirror.windowCount = static_cast<unsigned>(GetParam().stacked.size());
    for (std::size_t i = 0; i < GetParam().stacked.size(); ++i)
        mirror.windows[i].priority = GetParam().stacked[i];
    link->queue(GetParam().reply);
    readback.readOnOff();
    EXPECT_EQ(priorities(static_cast<int>(GetParam().stacked.size())), GetParam().after);
    EXPECT_EQ(mirror.windowsOn, GetParam().windowsOn);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WinAll,
    ::testing::Values(OnOffCase{"onOffOn", {3, 1, 2}, "1 on\r\n2 off\r\n3 on\r\n> ", {2, 0, 1}, 2},
                      OnOffCase{"allOn", {2, 1, 3}, "on on on", {2, 1, 3}, 3},
                      OnOffCase{"allOff", {1, 2, 3}, "off off off", {0, 0, 0}, 0},
                      OnOffCase{"shortReplyKeepsTheRest", {1, 2, 3}, "off", {0, 1, 2}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadbackTest, WinAllRecordsTheTopWindow)
{
    mirror.windowCount = 3;
    mirror.window(1).priority = 3;
    mirror.window(2).priority = 1;
    mirror.window(3).priority = 2;
    link->queue("on off on");
    readback.readOnOff();
    EXPECT_EQ(app.topWindow, 3);
}

TEST_F(ReadbackTest, PriorityListIgnoresWindowsTheDeviceDoesNotHave)
{
    link->queue("Priority: 12 3 1 2 4 5 6 7 8 9 10\r\n> ");
    readback.readStacking();
    EXPECT_EQ(priorities(10), (std::vector<int>{3, 4, 2, 5, 6, 7, 8, 9, 10, 0}));
    EXPECT_EQ(mirror.priorityListLength, 11u);
    EXPECT_EQ(mirror.selectedWindow, 0); // position 1 named no window of this device
}

TEST_F(ReadbackTest, PriorityListSelectsTheFrontWindow)
{
    link->queue("4 1 2 3 5 6 7 8 9 10");
    readback.readStacking();
    EXPECT_EQ(mirror.selectedWindow, 3);
    EXPECT_EQ(mirror.window(4).priority, 1);
}

TEST_F(ReadbackTest, InputSizeSetsTheZoomStepsAndSourceLimits)
{
    link->queue("Window 1 input size: 768 x 576\r\n> ");
    readback.readInputSize(1);
    const WindowRecord& window = mirror.window(1);
    EXPECT_EQ(window.inputType, InputType::wideVideo);
    EXPECT_EQ(window.inputWidth, 768);
    EXPECT_EQ(window.inputHeight, 576);
    EXPECT_EQ(window.zoomStepX, 38);
    EXPECT_EQ(window.zoomStepY, 28);
    EXPECT_EQ(window.adjustRect, (Rect{76, 57, 692, 519}));
    EXPECT_EQ(window.inputSizeText, "0 0 768 576");
}

// The reply to "rgb N": its lock status, then the timing under a header line.
std::string rgbReply(const char* status, int hact, int vact)
{
    return std::string("Window input ") + status +
           "\r\n                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL"
           "\r\nRGB input timing:      24  136 160 " +
           std::to_string(hact) + " 3   6  29  " + std::to_string(vact) +
           "  48363 4    0    0    0\r\n> ";
}

TEST_F(ReadbackTest, RgbInputsAreAskedTheirLockAndTiming)
{
    link->queue("Window 2 input: RGB 1024 x 768\r\n> ");
    link->queue(rgbReply("locked", 1024, 768));
    readback.readInputSize(2);
    EXPECT_EQ(mirror.window(2).inputType, InputType::rgb);
    EXPECT_EQ(mirror.window(2).inputTiming.locked, 1);
    EXPECT_EQ(mirror.window(2).inputWidth, 1024);
    EXPECT_EQ(mirror.window(2).inputHeight, 768);

    mirror.window(3).inputType = InputType::rgb;
    mirror.window(3).inputWidth = 800;
    link->queue(rgbReply("acquire", 5000, 768));
    readback.readInputSize(3);
    EXPECT_EQ(mirror.window(3).inputTiming.locked, 0);
    // A width no window scales from: the input is taken as 640 x 480; not locked, no message.
    EXPECT_EQ(mirror.window(3).inputWidth, 640);
    EXPECT_EQ(mirror.window(3).inputHeight, 480);
    EXPECT_TRUE(prompter.texts.empty());
    EXPECT_THAT(wire(), ElementsAre("mwsr 2\n", "rgb 2\n", "rgb 3\n"));
    EXPECT_THAT(pages.refreshedInputs, ElementsAre(2, 3));
}

TEST_F(ReadbackTest, ALockedRgbInputOutOfRangeIsReported)
{
    mirror.window(4).inputType = InputType::rgb;
    link->queue(rgbReply("locked", 100, 768));
    readback.readInputSize(4);
    EXPECT_THAT(prompter.texts,
                ElementsAre(formatString(StringId::badHactInput, 4, 100, 200, 2048)));
}

TEST_F(ReadbackTest, LevelsSkipRgbOnlyForVideoItems)
{
    mirror.windowCount = 3;
    mirror.window(2).inputType = InputType::rgb;
    readback.readImageLevels(0);
    std::vector<std::string> saturation;
    for (const std::string& command : wire())
        if (command.starts_with("saturation") || command.starts_with("input"))
            saturation.push_back(command);
    EXPECT_THAT(saturation,
                ElementsAre("saturation 1\n", "saturation 3\n", "input 1\n", "input 3\n"));
    EXPECT_EQ(std::count_if(wire().begin(), wire().end(),
                            [](const std::string& c) { return c.starts_with("gamma"); }),
              3);
}

TEST_F(ReadbackTest, LevelRepliesTakeTheValueAfterTheWindowNumber)
{
    const std::vector<std::string> replies{"Window 1 brightness: -12", "40",
                                           "Window 1 saturation: 55",  "Window 1 hue: 7",
                                           "Window 1 gamma: 1.8",      "Window 1 filter: on",
                                           "Window 1 freeze: off",     "Window 1 input: svideo"};
    for (const std::string& reply : replies)
        link->queueReply(reply);
    readback.readImageLevels(1);
    const WindowRecord& window = mirror.window(1);
    EXPECT_EQ(window.brightness, -12);
    EXPECT_EQ(window.contrast, 40);
    EXPECT_EQ(window.saturation, 55);
    EXPECT_EQ(window.hue, 7);
    EXPECT_DOUBLE_EQ(window.gamma, 1.8);
    EXPECT_TRUE(window.motionFilterOn);
    EXPECT_FALSE(window.frozen);
    EXPECT_EQ(window.inputConnector, InputConnector::svideo);
}

TEST_F(ReadbackTest, WindowTypesComeFromTheIdReply)
{
    EXPECT_EQ(readback.readWindowTypes("Win 1 COMP\r\nWin 2 rgb\r\nWin 3 comp\r\nWin 4 RGB"), 4u);
    EXPECT_EQ(mirror.window(2).inputType, InputType::rgb);
    EXPECT_EQ(mirror.window(3).inputType, InputType::video);
    EXPECT_TRUE(mirror.window(4).present);
    EXPECT_FALSE(mirror.window(5).present);
    EXPECT_EQ(readback.readWindowTypes(""), 10u);
    EXPECT_TRUE(mirror.window(10).present);
}

// A device with fewer windows than a start-up asks about refuses the rest.
TEST_F(ReadbackTest, RefusalsAreNeverReadAsValues)
{
    const std::string refusal = "Error: there is no window 5\r\n> ";
    const WindowRecord before = mirror.window(5);
    mirror.window(5).present = true;
    for (int reply = 0; reply < 4 + 8; ++reply)
        link->queueReply(refusal);
    readback.readWindowRect(StringId::windowDestQuery, 5);
    readback.readInputSize(5);
    readback.readWindowRect(StringId::windowSourceQuery, 5);
    readback.readImageLevels(5);
    const WindowRecord& window = mirror.window(5);
    EXPECT_FALSE(window.present) << "the device says it has no such window";
    EXPECT_EQ(window.viewRect, before.viewRect);
    EXPECT_EQ(window.sourceRect, before.sourceRect);
    EXPECT_EQ(window.inputWidth, before.inputWidth);
    EXPECT_EQ(window.brightness, before.brightness);
    EXPECT_EQ(window.contrast, before.contrast);
    EXPECT_EQ(window.hue, before.hue);
    EXPECT_DOUBLE_EQ(window.gamma, before.gamma);
    EXPECT_EQ(window.frozen, before.frozen);
}

// Only an answer that says the window does not exist takes it away; a refusal that passes, or
// silence, leaves the window as the mirror had it.
TEST_F(ReadbackTest, OnlyANoSuchWindowAnswerTakesAWindowAway)
{
    const struct {
        const char* reply;
        bool present;
    } cases[] = {
        {"Error: there is no window 5\r\n> ", false},
        {"Error: busy\r\n> ", true},
        {"Error: window 5 has no RGB input\r\n> ", true},
        {"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        WindowRecord& window = mirror.window(5);
        window.present = true;
        window.destRect = {512, 0, 768, 256};
        link->queueReply(c.reply);
        EXPECT_FALSE(readback.readWindowRect(StringId::windowDestQuery, 5));
        EXPECT_EQ(window.present, c.present);
        EXPECT_EQ(window.destRect, (Rect{512, 0, 768, 256}));
    }
}

TEST_F(ReadbackTest, DescriptionsAndArrangementsComeFromTheIniFile)
{
    profile.writeString("DESCRIPTIONS", "desc2", "Camera two");
    profile.writeString("CUSTOM3", "Set", "1");
    profile.writeString("CUSTOM3", "r1", "1 2 3");
    profile.writeString("CUSTOM3", "p1", "2");
    profile.writeString("CUSTOM3", "desc", "Studio");
    state.arrangements[2].rects[0].bottom = 99;
    readback.loadDescriptions(profile);
    EXPECT_EQ(mirror.window(2).description, "Camera two");
    EXPECT_TRUE(state.arrangements[2].set);
    EXPECT_EQ(state.arrangements[2].rects[0], (Rect{1, 2, 3, 99}));
    EXPECT_EQ(state.arrangements[2].priorities[0], 2);
    EXPECT_EQ(state.arrangements[2].description, "Studio");
    EXPECT_FALSE(state.arrangements[0].set);
}

} // namespace
} // namespace kivo::test
