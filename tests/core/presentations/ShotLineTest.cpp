#include "core/presentations/Shot.h"

#include <gtest/gtest.h>

#include <string>

namespace kivo::test {
namespace {

struct WindowAt {
    int window;
    int priority;
    Rect rect;
};

struct ShotLineCase {
    std::string name;
    std::string line;
    int msecs;
    std::string shotName;
    std::vector<WindowAt> windows;
};

class ShotLineParse : public ::testing::TestWithParam<ShotLineCase> {};

TEST_P(ShotLineParse, ReadsHoldTimeNameAndWindowsInStackingOrder)
{
    const ShotLineCase& c = GetParam();
    const auto shot = parseShotLine(c.line);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->msecs, c.msecs);
    EXPECT_EQ(shot->name, c.shotName);
    Shot expected;
    for (const WindowAt& w : c.windows) {
        expected.priority[static_cast<std::size_t>(w.window - 1)] = w.priority;
        expected.rect[static_cast<std::size_t>(w.window - 1)] = w.rect;
    }
    EXPECT_EQ(shot->priority, expected.priority);
    EXPECT_EQ(shot->rect, expected.rect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShotLineParse,
    ::testing::Values(
        ShotLineCase{"ShortHoldTimeBecomesTheFallback",
                     "500 Title~ 1 0 0 100 100",
                     4000,
                     "Title",
                     {{1, 1, {0, 0, 100, 100}}}},
        ShotLineCase{"GroupOrderIsTheStackingOrder",
                     "4000 Two~ 3 1 2 3 4 1 5 6 7 8",
                     4000,
                     "Two",
                     {{3, 1, {1, 2, 3, 4}}, {1, 2, {5, 6, 7, 8}}}},
        ShotLineCase{"SwappedCornersAreNormalised",
                     "4000 Wide~ 2 300 200 10 20",
                     4000,
                     "Wide",
                     {{2, 1, {10, 20, 300, 200}}}},
        ShotLineCase{"AnUnknownWindowIsSkippedByItsNumberOnly",
                     "900 X~ 12 1 2 3 4 5",
                     900,
                     "X",
                     {{1, 2, {2, 3, 4, 5}}}},
        ShotLineCase{"MissingNumbersAreZero", "800 M~ 4 10 20", 800, "M", {{4, 1, {0, 0, 10, 20}}}},
        ShotLineCase{"NoDelimiterLeavesNoNameAndNoWindows", "4000 Lost 1 2 3 4 5", 4000, "", {}},
        ShotLineCase{"HugeValuesAreHeldHarmless",
                     "99999999999 Big~ 1 -99999999999 0 5 5",
                     4000,
                     "Big",
                     {{1, 1, {-65536, 0, 5, 5}}}},
        ShotLineCase{"AShotWithNoWindowOn", "4000 Blank~", 4000, "Blank", {}}),
    [](const auto& info) { return info.param.name; });

TEST(ShotLine, BlankedOrTooShortKeysAreNoShot)
{
    for (const char* line : {"-1", "", "12", "-5 Back~ 1 0 0 10 10"})
        EXPECT_FALSE(parseShotLine(line)) << line;
}

TEST(ShotLine, NamesAreCutTo128Characters)
{
    const auto shot = parseShotLine("4000 " + std::string(200, 'n') + "~");
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->name, std::string(128, 'n'));
}

TEST(ShotLine, WritesTheFrontWindowFirstAndReadsBackTheSame)
{
    Shot shot;
    shot.name = "Intro";
    shot.msecs = 4000;
    shot.priority[2] = 1;
    shot.rect[2] = {11, 19, 188, 144};
    shot.priority[0] = 2;
    shot.rect[0] = {-5, 30, 100, 90};
    EXPECT_EQ(formatShotLine(shot), "4000 Intro~ 3 11 19 188 144 1 -5 30 100 90");
    EXPECT_EQ(parseShotLine(formatShotLine(shot)), shot);
    // A shot with no window on and a short name is still a shot, not a blanked key.
    Shot blank;
    blank.name = "Blank";
    EXPECT_EQ(formatShotLine(blank), "4000 Blank~");
    EXPECT_EQ(parseShotLine(formatShotLine(blank)), blank);
}

} // namespace
} // namespace kivo::test
