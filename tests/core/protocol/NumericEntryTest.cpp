#include "tests/support/FakeControls.h"
#include "tests/support/PanelFixture.h"

#include "core/base/Strings.h"

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// An idle panel with a box the operator has just typed into.
class NumericEntryTest : public PanelFixture {
protected:
    NumericEntryTest() { app.idle = true; }

    bool typeLevel(const std::string& text)
    {
        edit.content = text;
        return numericEntry.checkTrackedInteger(StringId::brightnessCommand, 3, levelBar, edit,
                                                freezeButton, frozen);
    }
    bool typeGamma(const std::string& text)
    {
        edit.content = text;
        return numericEntry.checkTrackedReal(StringId::gammaCommand, 2, gammaBar, edit, gamma, 0.0,
                                             2.0, 10.0);
    }
    bool typeTiming(const std::string& text)
    {
        edit.content = text;
        return numericEntry.checkRangedInteger(edit, 16, 0, 512);
    }

    // A refused entry tells the operator and puts the old value back, ready to be typed over.
    void expectRefused(const std::string& message, const std::string& restored)
    {
        EXPECT_THAT(prompter.texts, ElementsAre(message));
        EXPECT_EQ(edit.content, restored);
        EXPECT_TRUE(edit.focused);
        EXPECT_TRUE(edit.selected);
        EXPECT_FALSE(edit.modified);
        EXPECT_THAT(wire(), IsEmpty());
    }

    FakeEdit edit;
    FakeTrackbar levelBar{-100, 100, 7};
    FakeTrackbar gammaBar{5, 20, 10};
    FakeCaption freezeButton;
    bool frozen = true;
    double gamma = 1.0;
};

struct EntryCase {
    const char* name;
    std::string typed;
    bool accepted;
};

// Cases show by name in test output.
void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }

std::string caseName(const ::testing::TestParamInfo<EntryCase>& info) { return info.param.name; }

class TrackedIntegerCases : public NumericEntryTest,
                            public ::testing::WithParamInterface<EntryCase> {};

TEST_P(TrackedIntegerCases, AcceptsOnlyWholeNumbersInTheTrackbarRange)
{
    EXPECT_EQ(typeLevel(GetParam().typed), GetParam().accepted);
    if (GetParam().accepted) {
        const int value = std::stoi(GetParam().typed);
        EXPECT_THAT(wire(), ElementsAre("bright 3 " + std::to_string(value) + "\n"));
        EXPECT_EQ(levelBar.position(), value);
        EXPECT_THAT(prompter.texts, IsEmpty());
    } else {
        expectRefused("The current range of values allowed for this parameter is -100 to 100, "
                      "inclusive. Integers only.",
                      "7");
        EXPECT_EQ(levelBar.position(), 7);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackedIntegerCases,
    ::testing::Values(
        EntryCase{"inRange", "25", true}, EntryCase{"typedZero", "0", true},
        EntryCase{"lowestIncluded", "-100", true}, EntryCase{"highestIncluded", "100", true},
        EntryCase{"blanksAround", " 42 ", true}, EntryCase{"aboveRange", "101", false},
        EntryCase{"belowRange", "-101", false}, EntryCase{"letters", "abc", false},
        EntryCase{"empty", "", false}, EntryCase{"numberThenLetters", "12abc", false},
        EntryCase{"real", "1.5", false}, EntryCase{"zeroWithoutLeadingZero", "-0", false},
        EntryCase{"huge", "99999999999999999999", false}),
    caseName);

TEST_F(NumericEntryTest, LevelChangeUnfreezesThePictureEvenWhenRefused)
{
    typeLevel("abc");
    EXPECT_EQ(freezeButton.caption, "&Freeze Image");
    EXPECT_FALSE(frozen);
}

TEST_F(NumericEntryTest, AcceptedLevelIsCutToFiveCharacters)
{
    EXPECT_TRUE(typeLevel("  25  "));
    EXPECT_EQ(edit.content, "  25 ");
}

TEST_F(NumericEntryTest, UnchangedBoxOrBusyPanelPassesUnchecked)
{
    edit.modified = false;
    EXPECT_TRUE(typeLevel("abc"));
    EXPECT_TRUE(typeGamma("abc"));
    EXPECT_TRUE(typeTiming("9999"));
    edit.modified = true;
    app.idle = false;
    EXPECT_TRUE(typeLevel("abc"));
    EXPECT_TRUE(typeTiming("9999"));
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_TRUE(frozen);
    EXPECT_EQ(edit.content, "9999");
    EXPECT_FALSE(app.timingEdited);
}

class TrackedRealCases : public NumericEntryTest,
                         public ::testing::WithParamInterface<EntryCase> {};

TEST_P(TrackedRealCases, AcceptsOnlyRealsWithinTheBounds)
{
    EXPECT_EQ(typeGamma(GetParam().typed), GetParam().accepted);
    if (GetParam().accepted) {
        const double value = std::stod(GetParam().typed);
        EXPECT_THAT(wire(), ElementsAre(formatString(StringId::gammaCommand, 2, value) + "\n"));
        EXPECT_EQ(gammaBar.position(), static_cast<int>(value * 10.0));
        EXPECT_EQ(gamma, value);
    } else {
        expectRefused("The current range of values allowed for this parameter is 0.00 to 2.00, "
                      "inclusive.",
                      "1.00");
        EXPECT_EQ(gamma, 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackedRealCases,
    ::testing::Values(EntryCase{"inRange", "1.5", true}, EntryCase{"typedZero", "0", true},
                      EntryCase{"typedZeroPointZero", "0.0", true},
                      EntryCase{"upperIncluded", "2.0", true},
                      EntryCase{"noLeadingDigit", ".7", true},
                      EntryCase{"aboveRange", "2.01", false}, EntryCase{"negative", "-0.5", false},
                      EntryCase{"zeroWithoutLeadingZero", ".0", false},
                      EntryCase{"letters", "abc", false}, EntryCase{"notANumber", "nan", false},
                      EntryCase{"numberThenLetters", "1.2x", false}),
    caseName);

TEST_F(NumericEntryTest, TrackbarTakesTheScaledValueTruncated)
{
    EXPECT_TRUE(typeGamma("1.39"));
    EXPECT_EQ(gammaBar.position(), 13);
    EXPECT_EQ(edit.content, "1.39");
}

TEST_F(NumericEntryTest, AcceptedRealIsCutToSevenCharacters)
{
    EXPECT_TRUE(typeGamma("1.2500000"));
    EXPECT_EQ(edit.content, "1.25000");
}

class RangedIntegerCases : public NumericEntryTest,
                           public ::testing::WithParamInterface<EntryCase> {};

TEST_P(RangedIntegerCases, AcceptsWholeNumbersInTheRangeAndMarksTheTimingEdited)
{
    EXPECT_EQ(typeTiming(GetParam().typed), GetParam().accepted);
    EXPECT_EQ(app.timingEdited, GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_THAT(prompter.texts, IsEmpty());
        EXPECT_EQ(edit.content, GetParam().typed);
    } else {
        expectRefused("The current range of values allowed for this parameter is 0 to 512, "
                      "inclusive. Integers only.",
                      "16");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RangedIntegerCases,
    ::testing::Values(EntryCase{"typedZero", "0", true}, EntryCase{"upperIncluded", "512", true},
                      EntryCase{"aboveRange", "513", false}, EntryCase{"negative", "-5", false},
                      EntryCase{"empty", "", false}, EntryCase{"numberThenLetters", "12abc", false},
                      EntryCase{"real", "2.5", false}),
    caseName);

TEST_F(NumericEntryTest, TimingBoxStartingWithALetterIsEmptiedWithoutAMessage)
{
    for (const std::string typed : {"abc", "x12", "-0"}) {
        edit.content = typed;
        EXPECT_FALSE(numericEntry.checkRangedInteger(edit, 16, 0, 512)) << typed;
        EXPECT_EQ(edit.content, "") << typed;
    }
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_FALSE(app.timingEdited);
}

TEST_F(NumericEntryTest, TruncateLeavesShortTextAlone)
{
    edit.content = "keep";
    NumericEntry::truncateEditText(edit, "keep", 4);
    EXPECT_EQ(edit.content, "keep");
    NumericEntry::truncateEditText(edit, "longer", 4);
    EXPECT_EQ(edit.content, "long");
}

} // namespace
} // namespace kivo::test
