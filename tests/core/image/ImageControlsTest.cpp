#include "tests/support/FakeControls.h"
#include "tests/support/PanelFixture.h"

#include "core/base/PanelPages.h"
#include "core/image/ImageControls.h"
#include "core/mirror/PanelState.h"
#include "core/panel/BringUp.h"
#include "core/screen/VirtualScreen.h"

#include "sim/SimLink.h"

#include <gmock/gmock.h>

#include <optional>
#include <ostream>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The panel brought up against the simulated Quadrix: window 1 shows a 640 x 480 video
// input, 2 an RGB 1024 x 768 one, 3 a wider video one of 720 x 480, 5 RGB 800 x 600.
// An RGB window does not take a source below a quarter of its input.
class ImageControlsTest : public PanelFixture {
protected:
    ImageControlsTest()
    {
        app.serialHandle = std::make_unique<ForwardingLink>(simulated, &written);
        bringUp.reset(true);
        app.currentWindow = 1;
        sent();
    }

    // The commands written since the last call, without their line feeds.
    std::vector<std::string> sent()
    {
        std::vector<std::string> lines;
        for (; seen_ < written.size(); ++seen_)
            lines.push_back(written[seen_].substr(0, written[seen_].find('\n')));
        return lines;
    }
    WindowRecord& window(int number) { return state.mirror.window(number); }

    sim::SimLink simulated;
    std::vector<std::string> written;
    PanelState state;
    PanelPages pages;
    PanelContext context{app, channel, state, clock, prompter, pages, progress};
    BringUp bringUp{context};
    VirtualScreen screen{{app, channel, state, prompter, keys}};
    ImageControls controls{context, screen};

private:
    std::size_t seen_ = 0;
};

TEST_F(ImageControlsTest, ZoomAndPanSendEachStepAndReadTheSourceBack)
{
    struct Click {
        ZoomKind kind;
        const char* sends; // empty: the step does not move
    };
    const Click clicks[] = {
        {ZoomKind::in, "wsr 1 32 24 576 432"},
        {ZoomKind::left, "wsr 1 0 24 576 432"},
        {ZoomKind::left, ""},
        {ZoomKind::right, "wsr 1 32 24 576 432"},
        {ZoomKind::right, "wsr 1 64 24 576 432"},
        {ZoomKind::right, ""},
        {ZoomKind::out, "wsr 1 32 0 608 480"},
    };
    for (const Click& click : clicks) {
        controls.step(click.kind);
        const std::string command = click.sends;
        if (command.empty()) {
            EXPECT_THAT(sent(), IsEmpty());
            continue;
        }
        EXPECT_THAT(sent(), ElementsAre(command, "wsr 1")) << command;
        EXPECT_EQ("wsr 1 " + controls.sourceBoxText(), command);
    }
    EXPECT_EQ(window(1).sourceRect, (Rect{32, 0, 640, 480}));
    EXPECT_EQ(window(1).sourceText, "32 0 608 480");
}

TEST_F(ImageControlsTest, AStepUnfreezesThePicture)
{
    controls.toggleFreeze();
    sent();
    controls.step(ZoomKind::in);
    EXPECT_FALSE(window(1).frozen);
    EXPECT_EQ(controls.freezeCaption(), "&Freeze Image");
}

TEST_F(ImageControlsTest, UnZoomAlwaysSendsTheFullInput)
{
    app.currentWindow = 3;
    controls.step(ZoomKind::in);
    controls.step(ZoomKind::left);
    sent();
    controls.unzoom();
    EXPECT_THAT(sent(), ElementsAre("mwsr 3", "wsr 3", "wsr 3 0 0 720 480", "wsr 3"));
    EXPECT_EQ(window(3).sourceRect, (Rect{0, 0, 720, 480}));
    EXPECT_EQ(controls.fullSourceText(), "0 0 720 480");
    EXPECT_EQ(controls.sourceBoxText(), "0 0 720 480");
    EXPECT_FALSE(controls.zoomInLimit());
}

TEST_F(ImageControlsTest, RgbZoomInThatTheDeviceRefusesIsUndoneAndExplained)
{
    controls.selectWindow(5);
    ASSERT_EQ(window(5).zoomStepX, 40);
    for (int step = 0; step < 7; ++step)
        controls.step(ZoomKind::in);
    ASSERT_EQ(window(5).sourceRect, (Rect{280, 210, 520, 390}));
    EXPECT_THAT(prompter.texts, IsEmpty());
    sent();

    controls.autoRepeat(ZoomKind::in).press();
    controls.step(ZoomKind::in);
    EXPECT_THAT(sent(),
                ElementsAre("wsr 5 320 240 160 120", "wsr 5", "wsr 5 280 210 240 180", "wsr 5"));
    EXPECT_EQ(window(5).sourceRect, (Rect{280, 210, 520, 390}));
    EXPECT_THAT(prompter.texts,
                ElementsAre("The Kivo has determined that the current minimum size of the source "
                            "rectangle for this input signal is approximately 240 by 180."));
    EXPECT_TRUE(controls.zoomInLimit());
    EXPECT_FALSE(controls.buttons().zoomIn);
    EXPECT_FALSE(controls.autoRepeat(ZoomKind::in).pressed());
}

TEST_F(ImageControlsTest, HoldingAButtonGivesEightStepsAndOneMoreAtRelease)
{
    ASSERT_TRUE(controls.setSourceRectangle(1, {0, 0, 64, 48}));
    sent();
    AutoRepeat& right = controls.autoRepeat(ZoomKind::right);
    right.press();
    int steps = 0;
    // Five seconds held: ten beats of the button's timer.
    for (int beat = 0; beat < 10; ++beat)
        steps += controls.repeatTick(ZoomKind::right) ? 1 : 0;
    EXPECT_EQ(steps, AutoRepeat::maxRepeats);
    EXPECT_EQ(right.repeats(), AutoRepeat::maxRepeats);
    controls.step(ZoomKind::right); // the click at release
    int sources = 0;
    for (const std::string& command : sent())
        sources += command.starts_with("wsr 1 ") ? 1 : 0;
    EXPECT_EQ(sources, 9);
    EXPECT_EQ(window(1).sourceRect, (Rect{288, 0, 352, 48}));
}

TEST_F(ImageControlsTest, AnRgbWindowIsRefreshedAfterTheDeferredTick)
{
    app.currentWindow = 2;
    EXPECT_TRUE(controls.activate());
    EXPECT_THAT(sent(), IsEmpty());
    controls.deferredRefresh();
    EXPECT_THAT(sent(), ElementsAre("rgb 2", "wsr 2"));
    EXPECT_EQ(window(2).adjustRect, (Rect{102, 76, 922, 692}));
    EXPECT_EQ(window(2).zoomStepX, 51);
    EXPECT_EQ(controls.fullSourceText(), "0 0 1024 768");
    EXPECT_EQ(controls.sourceBoxText(), "0 0 1024 768");
}

TEST_F(ImageControlsTest, ActivationFallsBackToTheFrontWindowAndShowsItsState)
{
    app.currentWindow = 11;
    app.topWindow = 3;
    window(3).frozen = true;
    window(3).motionFilterOn = true;
    EXPECT_FALSE(controls.activate());
    EXPECT_EQ(app.currentWindow, 3);
    EXPECT_EQ(controls.freezeCaption(), "Un&Freeze Image");
    EXPECT_EQ(controls.motionCaption(), "Turn &Motion Filter Off");
    EXPECT_EQ(controls.fullSourceText(), "0 0 720 480");
    EXPECT_THAT(sent(), IsEmpty());

    app.idle = false;
    app.currentWindow = 0;
    EXPECT_FALSE(controls.activate());
    EXPECT_EQ(app.currentWindow, 0);
}

TEST_F(ImageControlsTest, RadioCaptionsCarryTheDescription)
{
    window(2).description = "Camera";
    EXPECT_EQ(controls.windowCaption(2), "&2   (Camera)");
    EXPECT_EQ(controls.windowCaption(10), "1&0");
}

struct TypedCase {
    const char* name;
    const char* text;
    std::optional<std::string> sends;
    std::optional<std::string> message;
};
void PrintTo(const TypedCase& c, std::ostream* out) { *out << c.name; }

class TypedSourceTest : public ImageControlsTest,
                        public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedSourceTest, SendsFourNumbersCutAtTheInputOrSaysWhyNot)
{
    const TypedCase& c = GetParam();
    window(1).frozen = true;
    window(1).sourceRect = {32, 24, 608, 456};
    FakeEdit box;
    box.content = c.text;
    EXPECT_EQ(controls.sourceTextCommitted(box), c.sends.has_value());
    if (c.sends) {
        EXPECT_THAT(sent(), ElementsAre(*c.sends, "wsr 1"));
        EXPECT_EQ("wsr 1 " + controls.sourceBoxText(), *c.sends);
        EXPECT_FALSE(window(1).frozen);
        EXPECT_THAT(prompter.texts, IsEmpty());
    } else {
        EXPECT_THAT(sent(), IsEmpty());
        EXPECT_THAT(prompter.texts, ElementsAre(*c.message));
        EXPECT_EQ(box.content, "32 24 576 432") << "the rectangle in force is put back";
        EXPECT_EQ(controls.sourceBoxText(), "32 24 576 432");
        EXPECT_TRUE(box.focused);
        EXPECT_FALSE(box.modified);
        EXPECT_TRUE(window(1).frozen);
    }
}

const std::string fourValues = "To adjust the source rectangle from the source rectangle text "
                               "box, include four values for left, top, width and height, "
                               "respectively.\n\nExample:  \"0  0  640  480\"";
const std::string outsideInput = "The source rectangle must start inside the input picture, "
                                 "which is 640 by 480, and have a width and a height above 0.";

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedSourceTest,
    ::testing::Values(TypedCase{"FourNumbers", "0 0 640 100", "wsr 1 0 0 640 100", std::nullopt},
                      TypedCase{"CutAtTheInputEdge", "100 50 640 480", "wsr 1 100 50 540 430",
                                std::nullopt},
                      TypedCase{"ThreeNumbers", "0 0 640", std::nullopt, fourValues},
                      TypedCase{"NoNumbers", "full", std::nullopt, fourValues},
                      TypedCase{"NegativeLeft", "-10 0 100 100", std::nullopt, outsideInput},
                      TypedCase{"ZeroWidth", "0 0 0 480", std::nullopt, outsideInput},
                      TypedCase{"HugeTop", "0 99999999999 10 10", std::nullopt, outsideInput},
                      TypedCase{"LeftAtTheInputEdge", "640 0 10 10", std::nullopt, outsideInput}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageControlsTest, AnUnchangedSourceBoxOrABusyPanelSendsNothing)
{
    FakeEdit box;
    box.content = "0 0 3";
    box.modified = false;
    EXPECT_TRUE(controls.sourceTextCommitted(box));
    box.modified = true;
    app.idle = false;
    EXPECT_TRUE(controls.sourceTextCommitted(box));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(ImageControlsTest, ASliderSendsAtMostOneLevelIn200MsAndItsLastAtRelease)
{
    const std::int64_t start = clock.now + 1000;
    const std::pair<std::int64_t, int> moves[] = {
        {0, 10}, {100, 20}, {200, 30}, {201, 40}, {300, 50}};
    for (const auto& [at, position] : moves) {
        clock.now = start + at;
        controls.levelSliderMoved(Level::brightness, position);
        EXPECT_EQ(window(1).brightness, position);
    }
    EXPECT_THAT(sent(), ElementsAre("bright 1 10", "bright 1 40"));
    controls.levelSliderReleased(Level::brightness);
    EXPECT_THAT(sent(), ElementsAre("bright 1 50"));
    controls.levelSliderReleased(Level::brightness);
    EXPECT_THAT(sent(), IsEmpty());
}

TEST_F(ImageControlsTest, GammaIsSentOnlyWhenTheSliderIsLetGo)
{
    window(1).frozen = true;
    for (int position : {8, 9, 12}) {
        clock.now += 1000;
        controls.levelSliderMoved(Level::gamma, position);
    }
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_DOUBLE_EQ(window(1).gamma, 1.2);
    EXPECT_EQ(controls.level(Level::gamma).text, "1.2");
    controls.levelSliderReleased(Level::gamma);
    EXPECT_THAT(sent(), ElementsAre("gamma 1 1.2"));
    EXPECT_FALSE(window(1).frozen);
}

struct LevelCase {
    const char* name;
    int window;
    Level level;
    const char* text;
    std::optional<std::string> sends; // nothing: refused with `message`
    std::string message;
};
void PrintTo(const LevelCase& c, std::ostream* out) { *out << c.name; }

class LevelEntryTest : public ImageControlsTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelEntryTest, AcceptsAValueInTheInputsRangeAndStoresIt)
{
    const LevelCase& c = GetParam();
    const LevelDisplay before = levelDisplay(window(c.window), c.level);
    EXPECT_EQ(controls.setLevel(c.window, c.level, c.text), c.sends.has_value());
    if (c.sends) {
        EXPECT_THAT(sent(), ElementsAre(*c.sends));
        EXPECT_EQ(levelDisplay(window(c.window), c.level).text, c.text);
    } else {
        EXPECT_THAT(sent(), IsEmpty());
        EXPECT_THAT(prompter.texts, ElementsAre(c.message));
        EXPECT_EQ(levelDisplay(window(c.window), c.level), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, LevelEntryTest,
    ::testing::Values(
        LevelCase{"Brightness", 1, Level::brightness, "150", "bright 1 150", {}},
        LevelCase{"BrightnessTooHigh", 1, Level::brightness, "501", std::nullopt,
                  "The current range of values allowed for this parameter is -500 to 500, "
                  "inclusive. Integers only."},
        LevelCase{"ColourNotANumber", 1, Level::colour, "red", std::nullopt,
                  "The current range of values allowed for this parameter is -180 to 180, "
                  "inclusive. Integers only."},
        LevelCase{"RgbContrast", 2, Level::contrast, "110", "contrast 2 110", {}},
        LevelCase{"RgbContrastOutsideItsRange", 2, Level::contrast, "150", std::nullopt,
                  "The current range of values allowed for this parameter is 88 to 118, "
                  "inclusive. Integers only."},
        LevelCase{"Gamma", 3, Level::gamma, "1.5", "gamma 3 1.5", {}},
        LevelCase{"GammaTooHigh", 3, Level::gamma, "2.5", std::nullopt,
                  "The current range of values allowed for this parameter is 0.50 to 2.00, "
                  "inclusive."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageControlsTest, AHeadlessLevelIsRefusedWhileABringUpRuns)
{
    app.idle = false;
    EXPECT_FALSE(controls.setLevel(1, Level::brightness, "100"));
    EXPECT_THAT(sent(), IsEmpty());
    EXPECT_EQ(window(1).brightness, 0);
}

TEST_F(ImageControlsTest, AnEditedLevelMovesItsTrackbarAndUnfreezes)
{
    window(1).frozen = true;
    FakeEdit edit;
    edit.content = "-40";
    FakeTrackbar trackbar(-180, 180, 0);
    EXPECT_TRUE(controls.levelEdited(Level::colour, edit, trackbar));
    EXPECT_THAT(sent(), ElementsAre("hue 1 -40"));
    EXPECT_EQ(trackbar.position(), -40);
    EXPECT_EQ(window(1).hue, -40);
    EXPECT_FALSE(window(1).frozen);
}

struct DefaultsCase {
    const char* name;
    int window;
    std::vector<std::string> sends;
};
void PrintTo(const DefaultsCase& c, std::ostream* out) { *out << c.name; }

class RestoreDefaultsTest : public ImageControlsTest,
                            public ::testing::WithParamInterface<DefaultsCase> {};

TEST_P(RestoreDefaultsTest, SendsTheLevelsThatApplyToTheInput)
{
    app.currentWindow = GetParam().window;
    window(GetParam().window).brightness = 200;
    controls.restoreDefaults();
    EXPECT_THAT(sent(), ElementsAreArray(GetParam().sends));
    EXPECT_EQ(window(GetParam().window).brightness, 0);
    EXPECT_DOUBLE_EQ(window(GetParam().window).gamma, 1.0);
    EXPECT_EQ(controls.level(Level::gamma).text, "1.0");
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RestoreDefaultsTest,
    ::testing::Values(
        DefaultsCase{
            "Video",
            1,
            {"bright 1 0", "contrast 1 100", "gamma 1 1.0", "saturation 1 100", "hue 1 0"}},
        DefaultsCase{
            "WideVideo", 3, {"bright 3 0", "contrast 3 100", "gamma 3 1.0", "saturation 3 100"}},
        DefaultsCase{"Rgb", 2, {"bright 2 0", "contrast 2 100", "gamma 2 1.0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageControlsTest, FreezeTogglesWithItsCaption)
{
    controls.toggleFreeze();
    EXPECT_THAT(sent(), ElementsAre("freeze 1 on"));
    EXPECT_TRUE(window(1).frozen);
    EXPECT_EQ(controls.freezeCaption(), "Un&Freeze Image");
    controls.toggleFreeze();
    EXPECT_THAT(sent(), ElementsAre("freeze 1 off"));
    EXPECT_FALSE(window(1).frozen);
    EXPECT_EQ(controls.freezeCaption(), "&Freeze Image");
}

struct MotionCase {
    const char* name;
    double firmware;
    const char* on;
    const char* off;
};
void PrintTo(const MotionCase& c, std::ostream* out) { *out << c.name; }

class MotionFilterTest : public ImageControlsTest,
                         public ::testing::WithParamInterface<MotionCase> {};

TEST_P(MotionFilterTest, TogglesInTheFirmwaresWords)
{
    state.mirror.firmwareRevision = GetParam().firmware;
    controls.toggleMotionFilter();
    EXPECT_THAT(sent(), ElementsAre(GetParam().on));
    EXPECT_TRUE(window(1).motionFilterOn);
    EXPECT_EQ(controls.motionCaption(), "Turn &Motion Filter Off");
    controls.toggleMotionFilter();
    EXPECT_THAT(sent(), ElementsAre(GetParam().off));
    EXPECT_FALSE(window(1).motionFilterOn);
    EXPECT_EQ(controls.motionCaption(), "Turn &Motion Filter On");
}

INSTANTIATE_TEST_SUITE_P(
    Firmware, MotionFilterTest,
    ::testing::Values(MotionCase{"Current", 3.1, "motion 1 on", "motion 1 off"},
                      MotionCase{"Three", 3.0, "motion 1 on", "motion 1 off"},
                      MotionCase{"BelowThree", 2.9, "motion 1 field", "motion 1 frame"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImageControlsTest, RestoreInitialSizeSendsOnlyTheRectangleOfAWindowThatIsOff)
{
    screen.switchWindow(1, false);
    sent();
    WindowRecord& w = window(1);
    w.viewRect.right = w.viewRect.left + 20;
    controls.restoreInitialSize();
    const std::vector<std::string> commands = sent();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_TRUE(commands[0].starts_with("wdr 1 "));
    EXPECT_EQ(w.viewRect.width(), w.canvasWidth);
}

} // namespace
} // namespace kivo::test
