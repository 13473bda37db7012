#include "tests/support/PanelFixture.h"
#include "tests/support/Timings.h"

#include "core/base/Strings.h"
#include "core/inputs/InputSettings.h"
#include "core/inputs/InputTimingTarget.h"
#include "core/output/OutputSettings.h"
#include "core/output/OutputTimingTarget.h"
#include "core/timing/PositionAdjuster.h"
#include "core/timing/TimingTarget.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TimingRecord vga() { return timingOf({16, 96, 48, 640, 10, 2, 33, 480, 31469, 4, 0, 0, 0}); }

// The output adjusted on firmware 3.1, and window 3's input.
class PositionAdjusterTest : public PanelFixture {
protected:
    PositionAdjuster output(double revision = 3.1)
    {
        return PositionAdjuster::forOutput({app, channel, prompter}, outputTarget, revision);
    }
    PositionAdjuster input()
    {
        return PositionAdjuster::forInput({app, channel, prompter}, inputTarget);
    }

    TimingRecord outputTiming = vga();
    bool freeRun = false;
    CountingStatus status;
    OutputTimingTarget outputTarget{outputTiming, freeRun, status};
    TimingRecord windowTiming = vga();
    CountingWindows windows;
    InputTimingTarget inputTarget{3, windowTiming, windows};
};

TEST_F(PositionAdjusterTest, EveryKeyGoesOutAsItsBareByte)
{
    struct KeyCase {
        const char* dialog;
        double revision; // 0: the input dialog
        AdjustKey key;
        std::string sent; // empty: the dialog has no such key
    };
    const std::vector<KeyCase> cases{
        {"output", 3.1, AdjustKey::left, "h"},
        {"output", 3.1, AdjustKey::right, "l"},
        {"output", 3.1, AdjustKey::up, "k"},
        {"output", 3.1, AdjustKey::down, "j"},
        {"output", 3.1, AdjustKey::switchImages, " "},
        {"output", 3.1, AdjustKey::increaseWidth, ""},
        {"old output", 2.021, AdjustKey::up, "j"},
        {"old output", 2.021, AdjustKey::down, "k"},
        {"old output", 2.021, AdjustKey::left, "h"},
        {"input", 0, AdjustKey::left, "h"},
        {"input", 0, AdjustKey::right, "l"},
        {"input", 0, AdjustKey::up, "k"},
        {"input", 0, AdjustKey::down, "j"},
        {"input", 0, AdjustKey::increaseWidth, "L"},
        {"input", 0, AdjustKey::decreaseWidth, "H"},
        {"input", 0, AdjustKey::increaseHeight, "K"},
        {"input", 0, AdjustKey::decreaseHeight, "J"},
        {"input", 0, AdjustKey::switchImages, ""},
    };
    for (const KeyCase& c : cases) {
        PositionAdjuster adjuster = c.revision > 0 ? output(c.revision) : input();
        if (c.revision == 0) {
            link->queueReply("Adjusting window 3\r\n");
        }
        ASSERT_TRUE(adjuster.start()) << c.dialog;
        link->writes.clear();
        adjuster.press(c.key);
        if (c.sent.empty()) {
            EXPECT_THAT(wire(), IsEmpty()) << c.dialog;
        } else {
            EXPECT_THAT(wire(), ElementsAre(c.sent)) << c.dialog << " " << c.sent;
        }
        adjuster.finish(true);
    }
}

TEST_F(PositionAdjusterTest, TheOutputStartsWithHiAndOKEndsWithQAlone)
{
    PositionAdjuster adjuster = output();
    ASSERT_TRUE(adjuster.start());
    EXPECT_TRUE(app.interactiveMode);
    for (int press = 0; press < 3; ++press)
        adjuster.press(AdjustKey::right);
    adjuster.press(AdjustKey::switchImages);
    adjuster.finish(true);
    EXPECT_THAT(wire(), ElementsAre("hi\n", "l", "l", "l", " ", "q"));
    EXPECT_FALSE(app.interactiveMode);
    EXPECT_EQ(status.queries, 1);
}

TEST_F(PositionAdjusterTest, CancelSendsTheStoredTimingAgain)
{
    struct CancelCase {
        bool input;
        std::string stored;
    };
    const std::vector<CancelCase> cases{
        {false, "ht 16 96 48 640 10 2 33 480\n"},
        {true, "rgbt 3 16 96 48 640 10 2 33 480\n"},
    };
    for (const CancelCase& c : cases) {
        link->writes.clear();
        PositionAdjuster adjuster = c.input ? input() : output();
        if (c.input) {
            link->queueReply("Adjusting window 3\r\n");
        }
        ASSERT_TRUE(adjuster.start());
        adjuster.press(AdjustKey::left);
        adjuster.finish(false);
        ASSERT_GE(wire().size(), 3u);
        EXPECT_THAT(std::vector(wire().end() - 3, wire().end()), ElementsAre("h", "q", c.stored));
        EXPECT_FALSE(app.interactiveMode);
    }
    // Read before the input's adjustment starts, and again after each.
    EXPECT_THAT(windows.queried, ElementsAre(3, 3));
    EXPECT_EQ(status.queries, 1);
}

TEST_F(PositionAdjusterTest, NothingIsSentOnceTheDialogHasClosed)
{
    PositionAdjuster adjuster = input();
    link->queueReply("Adjusting window 3\r\n");
    ASSERT_TRUE(adjuster.start());
    EXPECT_EQ(wire().front(), "rgbi 3\n");
    adjuster.finish(true);
    link->writes.clear();
    adjuster.press(AdjustKey::up);
    adjuster.finish(false);
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(PositionAdjusterTest, AnInputTheDeviceWillNotAdjustOpensNoDialog)
{
    PositionAdjuster adjuster = input();
    link->queueReply("Error: window 3 is not an RGB window\r\n> ");
    EXPECT_FALSE(adjuster.start());
    EXPECT_THAT(prompter.texts.back(), ::testing::HasSubstr("Error: window 3 is not"));
    EXPECT_FALSE(app.interactiveMode);
    adjuster.press(AdjustKey::left);
    adjuster.finish(false);
    EXPECT_THAT(wire(), ElementsAre("rgbi 3\n"));
}

} // namespace
} // namespace kivo::test
