#include "core/timing/TimingCalculator.h"
#include "core/base/Strings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kivo::test {
namespace {

using Texts = std::array<std::string, timingFieldCount>;
using Values = std::array<int, timingFieldCount>;

// 1024 x 768: 24 + 136 + 160 = 320 blank, 1344 total; 3 + 6 + 29 = 38 blank, 806 total.
constexpr Values xga{24, 136, 160, 320, 1024, 1344, 3, 6, 29, 38, 768, 806};

Texts textsOf(const Values& values)
{
    Texts texts;
    for (std::size_t i = 0; i < values.size(); ++i)
        texts[i] = std::to_string(values[i]);
    return texts;
}

Texts without(Values values, std::initializer_list<int> empty)
{
    Texts texts = textsOf(values);
    for (int index : empty)
        texts[static_cast<std::size_t>(index)].clear();
    return texts;
}

struct CalculatorCase {
    std::string name;
    Texts texts;
    bool complete;
    std::vector<int> derived; // indexes written back
    std::string message;
};

class TimingCalculatorCase : public ::testing::TestWithParam<CalculatorCase> {};

TEST_P(TimingCalculatorCase, DerivesWhatItCanAndSaysWhyNot)
{
    const CalculatorCase& c = GetParam();
    const TimingCalculation result = calculateTiming(c.texts);
    EXPECT_EQ(result.complete, c.complete);
    EXPECT_EQ(result.message, c.message);
    std::vector<int> derived;
    for (int i = 0; i < timingFieldCount; ++i)
        if (result.derived[static_cast<std::size_t>(i)])
            derived.push_back(i);
    EXPECT_EQ(derived, c.derived);
    if (c.complete) {
        EXPECT_EQ(result.values, xga);
    }
}

Texts badBlank()
{
    Texts texts = textsOf(xga);
    texts[blank] = "300";
    texts[total] = "1324";
    return texts;
}

Texts tooLarge()
{
    Texts texts = without(xga, {total});
    texts[active] = "2000";
    return texts;
}

const std::string horizontalBlank(loadString(StringId::horizontalBlankUnknown));
const std::string verticalTotal(loadString(StringId::verticalTotalUnknown));

INSTANTIATE_TEST_SUITE_P(
    Cases, TimingCalculatorCase,
    ::testing::Values(
        CalculatorCase{"AllGivenAndConsistent", textsOf(xga), true, {}, ""},
        CalculatorCase{"AWrongBlankIsReplacedThenTheTotal", badBlank(), true, {blank, total}, ""},
        CalculatorCase{
            "FrontPorchFromTheBlank", without(xga, {frontPorch}), true, {frontPorch}, ""},
        CalculatorCase{"FrontPorchAndBlankFromActiveAndTotal",
                       without(xga, {frontPorch, blank}),
                       true,
                       {frontPorch, blank},
                       ""},
        CalculatorCase{
            "ActiveFromTotalMinusBlank", without(xga, {6 + active}), true, {6 + active}, ""},
        CalculatorCase{"FrontPorchAndSyncTogetherCannotBeKnown",
                       without(xga, {frontPorch, sync}),
                       false,
                       {},
                       horizontalBlank},
        CalculatorCase{"VerticalActiveAndTotalTogetherCannotBeKnown",
                       without(xga, {6 + active, 6 + total}),
                       false,
                       {},
                       verticalTotal},
        // The horizontal blank is derived before the vertical one fails; no total is looked at.
        CalculatorCase{"AFailureKeepsWhatWasDerivedBefore",
                       without(xga, {blank, 6 + frontPorch, 6 + sync, total}),
                       false,
                       {blank},
                       std::string(loadString(StringId::verticalBlankUnknown))},
        CalculatorCase{"ADerivedValueBeyond2048IsRefused",
                       tooLarge(),
                       false,
                       {},
                       formatString(StringId::timingValueOutOfRange, 2320, 2048)},
        CalculatorCase{"ANegativeDerivedValueIsRefused",
                       [] {
                           Texts t = without(xga, {frontPorch});
                           t[blank] = "100";
                           t[total] = "1124";
                           return t;
                       }(),
                       false,
                       {},
                       formatString(StringId::timingValueOutOfRange, -196, 2048)}),
    [](const auto& info) { return info.param.name; });

TEST(TimingCalculator, TextWithoutDigitsReadsAsZero)
{
    Texts texts = textsOf(xga);
    texts[frontPorch] = "abc";
    const TimingCalculation result = calculateTiming(texts);
    EXPECT_EQ(result.values[frontPorch], 0);
    EXPECT_EQ(result.values[blank], 296);
}

// For any consistent timing within range, leaving out any one value gives all twelve back.
TEST(TimingCalculator, AnyOneMissingValueIsDerivedBack)
{
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> part(0, 200);
    for (int round = 0; round < 500; ++round) {
        Values v{};
        for (int direction = 0; direction < 2; ++direction) {
            int* d = v.data() + direction * timingFieldsPerDirection;
            d[frontPorch] = part(random);
            d[sync] = part(random);
            d[backPorch] = part(random);
            d[blank] = d[frontPorch] + d[sync] + d[backPorch];
            // Every value a timing can have is at most 2048, the total too.
            d[active] = std::uniform_int_distribution<int>(1, 2048 - d[blank])(random);
            d[total] = d[blank] + d[active];
        }
        for (int missing = 0; missing < timingFieldCount; ++missing) {
            const TimingCalculation result = calculateTiming(without(v, {missing}));
            ASSERT_TRUE(result.complete) << result.message;
            ASSERT_EQ(result.values, v) << "without " << missing;
        }
    }
}

} // namespace
} // namespace kivo::test
