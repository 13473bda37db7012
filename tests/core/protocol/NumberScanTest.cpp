#include "core/protocol/NumberScan.h"
#include "core/protocol/NumberCursor.h"

#include <gtest/gtest.h>

namespace kivo::test {
namespace {

struct NextCase {
    const char* name;
    std::string text;
    std::size_t from;
    std::optional<std::size_t> next;
};

class NextNumber : public ::testing::TestWithParam<NextCase> {};

TEST_P(NextNumber, FindsWhereTheNextNumberStarts)
{
    EXPECT_EQ(nextNumber(GetParam().text, GetParam().from), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Cases, NextNumber,
                         ::testing::Values(NextCase{"skipsCurrent", "12 34", 0, 3},
                                           NextCase{"fromTextFindsFirst", "abc 7", 0, 4},
                                           NextCase{"negativeStartsAtMinus", "1 -5", 0, 2},
                                           NextCase{"leadingDotStartsAtDot", "1 .5", 0, 2},
                                           NextCase{"skipsDecimalWhole", "1.25 3", 0, 5},
                                           NextCase{"skipsSignedCurrent", "-12 3", 0, 4},
                                           NextCase{"crossesLineEnds", "5\r\n6", 0, 3},
                                           NextCase{"noneAfterLast", "12 ab", 0, std::nullopt},
                                           NextCase{"emptyText", "", 0, std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CountNumbers, CountsDigitAndMinusStartsOnly)
{
    EXPECT_EQ(countNumbers("1 2 -3 .4 x", 0), 3);
    EXPECT_EQ(countNumbers("x 1 2", 0), 2);
    EXPECT_EQ(countNumbers("", 0), 0);
}

TEST(CountNumbers, WalksAtMostFifteenPositions)
{
    std::string twenty;
    for (int i = 1; i <= 20; ++i)
        twenty += std::to_string(i) + " ";
    EXPECT_EQ(countNumbers(twenty, 0), 15);
    EXPECT_EQ(countNumbersAbove(twenty, 0, 1), 14);
}

TEST(CountNumbersAbove, CountsValuesOverTheThreshold)
{
    EXPECT_EQ(countNumbersAbove("name 0 1 2 640", 0, 1), 2);
    EXPECT_EQ(countNumbersAbove("0 0 0", 0, 1), 0);
}

TEST(IntegerAt, HoldsNumbersBeyondThirtyTwoBitsAtTheNearestBound)
{
    const std::vector<std::pair<std::string, int>> cases{
        {"42", 42},
        {"+7", 7},
        {"-12x", -12},
        {"4294967296", INT32_MAX},
        {"-4294967296", INT32_MIN},
        {"99999999999999999999", INT32_MAX},
        {"-99999999999999999999", INT32_MIN},
        {"x", 0},
        {"", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(integerAt(text, 0), value) << text;
}

TEST(NumberCursor, TakesIntegerPartsAndStandsInForMissingNumbers)
{
    NumberCursor numbers("label: 1.9 -2.5 .5", 0);
    EXPECT_EQ(numbers.take(), 1);
    EXPECT_EQ(numbers.take(), -2);
    EXPECT_EQ(numbers.take(), 0);
    EXPECT_TRUE(numbers.atEnd());
    EXPECT_EQ(numbers.take(640), 640);
}

TEST(NumberCursor, ReadsRealsForGamma)
{
    NumberCursor numbers("3 1.4", 0);
    numbers.skip();
    EXPECT_DOUBLE_EQ(numbers.takeReal(), 1.4);
}

} // namespace
} // namespace kivo::test
