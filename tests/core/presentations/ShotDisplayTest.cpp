#include "tests/support/ScreenFixture.h"

#include "core/presentations/ShotDisplay.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Four windows on 640 x 480, stacked 1, 2, 3, 4, each at its own place on the canvas; a shot
// starts as exactly that configuration.
class ShotDisplayTest : public ScreenFixture {
protected:
    ShotDisplayTest()
    {
        for (int number = 1; number <= 4; ++number) {
            window(number).viewRect = {11 + 40 * number, 19, 11 + 40 * number + 100, 119};
            shot.priority[static_cast<std::size_t>(number - 1)] = number;
            shot.rect[static_cast<std::size_t>(number - 1)] = window(number).viewRect;
        }
    }

    // Shows the shot; returns the commands it sent and keeps the time their waits took.
    std::vector<std::string> show()
    {
        display.applyShot(shot);
        const std::int64_t start = clock.now;
        display.sendConfiguration();
        elapsed = clock.now - start;
        return sent();
    }

    Shot shot;
    ShotDisplay display{{app, channel, state, prompter, keys}, screen, clock};
    std::int64_t elapsed = 0;
};

TEST_F(ShotDisplayTest, OneMovedWindowIsSwitchedOffPlacedAndSwitchedOnSpacedOut)
{
    shot.rect[2] = {11, 150, 111, 250};
    EXPECT_THAT(show(), ElementsAre("win 3 off", "wdr 3 0 250 180 191", "win 3 on"));
    EXPECT_EQ(elapsed, 240);
    EXPECT_EQ(display.changeMask(), ShotDisplay::rectangle);
    EXPECT_EQ(window(3).viewRect, (Rect{11, 150, 111, 250}));
}

TEST_F(ShotDisplayTest, OneWindowGoingOnOrOffSendsOnlyItsOwnCommands)
{
    shot.priority = {1, 2, 3, 0};
    EXPECT_THAT(show(), ElementsAre("win 4 off"));
    shot.priority = {2, 3, 4, 1};
    shot.rect[3] = {200, 100, 300, 200};
    EXPECT_THAT(show(), ElementsAre("wdr 4 341 154 181 192", "priority all 4 1 2 3", "win 4 on"));
    EXPECT_EQ(elapsed, 25 + 120);
    EXPECT_EQ(display.changeMask(),
              ShotDisplay::rectangle | ShotDisplay::priority | ShotDisplay::goesOn);
}

TEST_F(ShotDisplayTest, TwoChangedWindowsOrASwapOfPlacesAreSentWhole)
{
    shot.priority = {2, 1, 3, 4};
    EXPECT_THAT(show(),
                ElementsAre("win all off off off off", "wdr 1 72 0 181 191", "wdr 2 144 0 181 191",
                            "wdr 3 216 0 181 191", "wdr 4 289 0 181 191", "priority all 2 1 3 4",
                            "win all on on on on"));
    EXPECT_EQ(elapsed, 100);
    EXPECT_EQ(display.changedWindow(), -1);
}

TEST_F(ShotDisplayTest, WindowsSwitchedOffWithAltOrUnlockedRgbStayOff)
{
    display.toggleWindow(3, true);
    EXPECT_THAT(sent(), ElementsAre("win 3 off"));
    EXPECT_EQ(display.buttonLabel(3), "&3d");
    EXPECT_EQ(display.buttonLabel(1), "&1+");
    window(2).inputType = InputType::rgb;
    window(2).inputTiming.locked = 0;
    shot.priority = {1, 2, 3, 4};
    shot.rect[0] = {11, 150, 111, 250};
    link->answerWrites("> ");
    show();
    EXPECT_EQ(window(2).priority, 0);
    EXPECT_EQ(window(3).priority, 0);
    // The operator switched window 3 off; window 2 drops out unasked, and the page says why.
    EXPECT_EQ(display.notes(), "window 2 left off: its RGB input is not locked");
    EXPECT_EQ(display.buttonLabel(2), "&2-");
    EXPECT_EQ(display.groupTitle(), "Presentation Control (Wins Disabled by Kivo: 3) ");
    display.toggleWindow(3, false);
    EXPECT_EQ(display.groupTitle(), "Presentation Control ");
    EXPECT_EQ(window(3).priority, 3);
    EXPECT_THAT(sent(), ElementsAre("win 3 on"));
}

TEST_F(ShotDisplayTest, OnApplyOnlySendsNothingWholeButASingleWindowStillSwitches)
{
    screen.setOnApplyOnly(true);
    shot.priority = {2, 1, 3, 4};
    EXPECT_THAT(show(), IsEmpty());
    EXPECT_EQ(display.notes(), "On Apply Only: shots are shown here, not sent");
    shot.priority = {2, 1, 3, 0};
    EXPECT_THAT(show(), ElementsAre("win 4 off"));
    shot.priority = {3, 2, 4, 1};
    EXPECT_THAT(show(), ElementsAre("priority all 4 2 1 3", "win 4 on"));
}

struct DeliveryCase {
    const char* name;
    std::vector<std::string> answers; // to the seven lines of a whole shot, then silence
    std::string problem;
};

class ShotDelivery : public ShotDisplayTest, public ::testing::WithParamInterface<DeliveryCase> {};

TEST_P(ShotDelivery, EveryLineGoesOutAndTheFirstNotTakenIsTold)
{
    for (const std::string& answer : GetParam().answers)
        link->queue(answer);
    shot.priority = {2, 1, 3, 4};
    EXPECT_EQ(show().size(), 7u);
    EXPECT_EQ(display.deliveryProblem(), GetParam().problem);
    EXPECT_EQ(display.delivery().taken(), GetParam().problem.empty());
    EXPECT_EQ(display.notes(),
              GetParam().problem.empty() ? "" : "Shot not taken: " + GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShotDelivery,
    ::testing::Values(
        DeliveryCase{"taken", std::vector<std::string>(7, "> "), ""},
        DeliveryCase{"refusedPlacement",
                     {"> ", "Error: busy\r\n> ", "> ", "> ", "> ", "> ", "> "},
                     "the Quadrix refused \"wdr 1 72 0 181 191\" (Error: busy)"},
        DeliveryCase{"refusedSwitchingOn",
                     {"> ", "> ", "> ", "> ", "> ", "> ", "Error: Bad command\r\n> "},
                     "the Quadrix refused \"win all on on on on\" (Error: Bad command)"},
        DeliveryCase{"silent", {}, "the Quadrix did not answer \"win all off off off off\""},
        DeliveryCase{"goneSilentMidway",
                     {"> ", "> ", "> "},
                     "the Quadrix did not answer \"wdr 3 216 0 181 191\""},
        DeliveryCase{"garbled",
                     {"\x07\x7f~~"},
                     "the Quadrix's answer to \"win all off off off off\" could not be read"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::test
