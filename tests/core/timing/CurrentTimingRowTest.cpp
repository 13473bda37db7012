#include "core/timing/CurrentTimingRow.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingText.h"
#include "tests/support/Timings.h"

#include <gtest/gtest.h>

namespace kivo::test {
namespace {

TimingRecord svga() { return timingOf({40, 128, 88, 800, 1, 4, 23, 600, 37879, 4, 1, 1, 0}); }

TEST(CurrentTimingRow, RowTextsShowTheNumbersOnlyWhenLocked)
{
    EXPECT_EQ(currentOutputRowText(svga()),
              "Current Output Timing 40  128 88  800  1   4  23  600  37879 4  1  1  0");
    EXPECT_EQ(currentInputRowText(3, svga()),
              "Window  3  Timing     40  128 88  800  1   4  23  600  37879 4  1  1  0");
    TimingRecord unlocked = svga();
    unlocked.locked = 0;
    EXPECT_EQ(currentOutputRowText(unlocked), "RGB output not locked. Timing parameters ignored.");
    EXPECT_EQ(currentInputRowText(7, unlocked),
              "RGB input window 7 not locked to a signal. Timing parameters ignored.");
}

class ShowCurrentRow : public ::testing::Test {
protected:
    ShowCurrentRow()
    {
        list.count = 4;
        for (int number = 1; number <= list.count; ++number)
            list.rows.push_back(placeholderRow(number));
        list.slots[2] = svga();
        list.slots[3] = svga(); // the same numbers again: the first one is chosen
        list.slots[3].NAME = "Other name";
    }

    TimingList list{TimingList::Kind::output};
};

TEST_F(ShowCurrentRow, ReplacesThePreviousCurrentRowAndSelectsTheFirstMatch)
{
    showCurrentRow(list, "first", svga(), true);
    showCurrentRow(list, "second", svga(), true);
    ASSERT_EQ(list.rows.size(), 5U);
    EXPECT_EQ(list.rows.back(), "second");
    EXPECT_EQ(list.selection, 2);
}

TEST_F(ShowCurrentRow, WithoutAMatchTheCurrentRowIsSelected)
{
    TimingRecord other = svga();
    other.IL = 1;
    showCurrentRow(list, "row", other, true);
    EXPECT_EQ(list.selection, 4);
}

TEST_F(ShowCurrentRow, ADeletedSettingIsNeverMatched)
{
    list.slots[2].HACT = 0;
    TimingRecord zeroWidth = svga();
    zeroWidth.HACT = 0;
    showCurrentRow(list, "row", zeroWidth, true);
    EXPECT_EQ(list.selection, 4);
}

TEST_F(ShowCurrentRow, LeavesTheSelectionAloneWhileTheListIsBusy)
{
    list.selection = 1;
    showCurrentRow(list, "row", svga(), false);
    EXPECT_EQ(list.selection, 1);
    EXPECT_EQ(list.rows.back(), "row");
}

TEST_F(ShowCurrentRow, AListNotReadYetKeepsTheCurrentRowAfterEverySetting)
{
    list.rows.clear();
    showCurrentRow(list, "row", svga(), true);
    ASSERT_EQ(list.rows.size(), 5U);
    EXPECT_EQ(list.rows[0], placeholderRow(1));
    EXPECT_EQ(list.rows[4], "row");
}

} // namespace
} // namespace kivo::test
