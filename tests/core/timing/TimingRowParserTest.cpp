#include "core/timing/TimingRowParser.h"
#include "core/timing/TimingText.h"

#include <gtest/gtest.h>

namespace kivo::test {
namespace {

// Device rows: setting number, NAME in columns 4..21, numbers from column 22.
const std::string vgaRow =
    "1   VGA 640x480       16  96  48  640  10  2  33  480  31469 3  0  0  0\r\n";
const std::string svgaRow =
    "2   SVGA 800x600      40  128 88  800  1   4  23  600  37879 4  1  1  0\r\n";

std::vector<TimingRecord> parse(const std::string& reply, int limit = 27, bool output = true)
{
    std::vector<TimingRecord> slots(static_cast<std::size_t>(limit));
    parseTimingRows(reply, slots, limit, output);
    return slots;
}

TEST(TimingRows, FillSlotsInArrivalOrderWithTheirRowText)
{
    const auto slots = parse("hlist 1 27\r\n" + vgaRow + svgaRow + "> ");
    EXPECT_EQ(slots[0].NAME, "VGA 640x480       ");
    EXPECT_EQ(slots[0].HFP, 16);
    EXPECT_EQ(slots[0].HACT, 640);
    EXPECT_EQ(slots[0].VACT, 480);
    EXPECT_EQ(slots[0].HFREQ, 31469);
    EXPECT_EQ(slots[0].SYNC, 3);
    EXPECT_EQ(slots[1].HPOL, 1);
    EXPECT_EQ(slots[1].VPOL, 1);
    EXPECT_EQ(slots[0].rowText,
              "1   VGA 640x480       16  96  48  640  10  2  33  480  31469 3  0  0  0");
    EXPECT_TRUE(slots[2].rowText.empty());
}

TEST(TimingRows, NumberAloneLeavesItsSlotClearedAndLaterRowsKeepTheirPlaces)
{
    const auto slots =
        parse(vgaRow + svgaRow + "3\r\n4\r\n5\r\n" +
              "6   XGA 1024x768      24  136 160 1024 3   6  29  768  48363 3  0  0  0\r\n");
    EXPECT_TRUE(slots[4].rowText.empty());
    EXPECT_EQ(slots[4].HACT, 0);
    EXPECT_EQ(slots[5].HACT, 1024);
    EXPECT_EQ(slots[5].rowText.substr(0, 4), "6   ");
}

TEST(TimingRows, ShortRowTakesItsMissingValuesFromTheNextRow)
{
    const std::string shortRow = "1   SHORT             16  96  48  640  10  2  33  480  31469\r\n";
    const std::string next =
        "2   NEXT              7   8   9   800  1   4  23  600  37879 4  1  1  0\r\n";
    const auto slots = parse(shortRow + next);
    // The short row has 10 numbers (9 values and the setting number) and is skipped...
    EXPECT_TRUE(slots[0].rowText.empty());
    // ...while a row with one value too few borrows the next row's numbers.
    const std::string almost =
        "1   ALMOST            16  96  48  640  10  2  33  480  31469 3  0\r\n";
    const auto borrowed = parse(almost + next);
    EXPECT_EQ(borrowed[0].HPOL, 0);
    EXPECT_EQ(borrowed[0].VPOL, 2);
    EXPECT_EQ(borrowed[0].IL, 7);
    EXPECT_EQ(borrowed[1].HFP, 7);
}

TEST(TimingRows, SyncColumnWithoutAWireCountIsReadAsHpol)
{
    const auto slots =
        parse("1   ODD               16  96  48  640  10  2  33  480  31469 7  1  0  1  9\r\n");
    EXPECT_EQ(slots[0].SYNC, 0);
    EXPECT_EQ(slots[0].HPOL, 7);
    EXPECT_EQ(slots[0].VPOL, 1);
    EXPECT_EQ(slots[0].IL, 0);
}

TEST(TimingRows, ZeroVactAndHfreqAreStoredAsOne)
{
    const auto slots =
        parse("1   ZERO              16  96  48  640  10  2  33  0    0     3  0  0  0\r\n");
    EXPECT_EQ(slots[0].VACT, 1);
    EXPECT_EQ(slots[0].HFREQ, 1);
}

TEST(TimingRows, OutputListSkipsZeroLinesWithoutUsingASlot)
{
    const std::string zero =
        "0   HEADER            1   2   3   4    5   6  7   8    9     3  0  0  0\r\n";
    EXPECT_EQ(parse(zero + vgaRow)[0].HACT, 640);
    EXPECT_EQ(parse(zero + vgaRow, 50, false)[1].HACT, 640);
}

TEST(TimingRows, StopAtTheSlotLimit)
{
    const auto slots = parse(vgaRow + svgaRow, 1);
    EXPECT_EQ(slots[0].HACT, 640);
}

TEST(TimingRows, RowTextAndPlaceholderFormats)
{
    EXPECT_EQ(placeholderRow(5), "5   ---");
    EXPECT_EQ(placeholderRow(12), "12  ---");
    EXPECT_EQ(rowNumber("12  NAME"), 12);
    EXPECT_EQ(rowNumber(" 1"), 0);
}

} // namespace
} // namespace kivo::test
