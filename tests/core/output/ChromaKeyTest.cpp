#include "tests/support/FakeControls.h"
#include "tests/support/PanelFixture.h"

#include "core/output/ChromaKey.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Limits = std::array<int, chromaLimitCount>;

TEST(ChromaKeyReplies, LimitsAreTheLastSixNumbersHeldInRange)
{
    const std::vector<std::pair<std::string, Limits>> cases{
        {"Chroma key limits (mV): -270 175 0 500 522 1250\r\n> ", {-270, 175, 0, 500, 522, 1250}},
        {"ckc\r\n1 2 -100 200 -50 300 10 900\r\n> ", {-100, 200, -50, 300, 10, 900}},
        {"limits 100 200 300", {100, 200, 175, 175, -270, 175}},
        {"no numbers", {-270, 175, -270, 175, -270, 175}},
        {"-9999 99999 900 800 0 0", {-270, 1250, 800, 800, 0, 0}},
        {"Error: unknown command", {-270, 175, -270, 175, -270, 175}},
        {"99999999999999999999 1 2 3 4 5", {1, 1, 2, 3, 4, 5}},
    };
    for (const auto& [reply, expected] : cases)
        EXPECT_EQ(parseChromaKeyLimits(reply).values, expected) << reply;
}

TEST(ChromaKeyReplies, OnlyTheWordOnMeansChromaKey)
{
    const std::vector<std::pair<std::string, bool>> cases{
        {"Chroma key on\r\n> ", true},
        {"Chroma key off\r\n> ", false},
        {"ck\r\nChroma key ON\r\n", true},
        {"Insert mode (monitor)", false},
        {"", false},
    };
    for (const auto& [reply, on] : cases)
        EXPECT_EQ(parseChromaKeyOn(reply), on) << reply;
}

TEST(ChromaKeyPresets, EachColourIsLowOrHigh)
{
    const std::vector<std::pair<ChromaPreset, Limits>> cases{
        {ChromaPreset::white, {522, 1250, 522, 1250, 522, 1250}},
        {ChromaPreset::cyan, {-270, 175, 522, 1250, 522, 1250}},
        {ChromaPreset::magenta, {522, 1250, -270, 175, 522, 1250}},
        {ChromaPreset::yellow, {522, 1250, 522, 1250, -270, 175}},
        {ChromaPreset::red, {522, 1250, -270, 175, -270, 175}},
        {ChromaPreset::green, {-270, 175, 522, 1250, -270, 175}},
        {ChromaPreset::blue, {-270, 175, -270, 175, 522, 1250}},
        {ChromaPreset::black, {-270, 175, -270, 175, -270, 175}},
    };
    for (const auto& [preset, expected] : cases)
        EXPECT_EQ(presetLimits(preset).values, expected) << static_cast<int>(preset);
}

TEST(ChromaKeyCommands, TheFirmwareChoosesTheLimitsCommand)
{
    const ChromaKeyLimits limits = presetLimits(ChromaPreset::cyan);
    EXPECT_EQ(chromaLimitsCommand(limits, 3.1), "ckc -270 175 522 1250 522 1250");
    EXPECT_EQ(chromaLimitsCommand(limits, 3.0), "ckc -270 175 522 1250 522 1250");
    EXPECT_EQ(chromaLimitsCommand(limits, 2.9), "ckey limits -270 175 522 1250 522 1250");
}

// The dialog opened on a device with firmware 3.1 in chroma key mode.
class ChromaKeyControlTest : public PanelFixture {
protected:
    ChromaKeyControlTest()
    {
        link->queueReply("Chroma key on\r\n> ");
        link->queueReply("Chroma key limits (mV): -270 175 -270 175 -270 175\r\n> ");
        control.initialise();
        link->writes.clear();
    }

    // An answer, or the silence of a device that says nothing at all.
    void answer(const std::string& bytes)
    {
        if (bytes.empty())
            link->queueSilence(20); // the first-byte wait and the ten empty reads
        else
            link->queueReply(bytes);
    }

    // A limits command taken, and the limits the device then reports.
    void takeLimits(const std::string& reported)
    {
        link->queueReply("> ");
        link->queueReply("Chroma key limits (mV): " + reported + "\r\n> ");
    }

    double firmware = 3.1;
    ChromaKeyControl control{{channel, prompter, clock}, firmware};
    FakeEdit edit;
};

TEST_F(ChromaKeyControlTest, OpeningReadsTheModeAndTheLimits)
{
    EXPECT_TRUE(control.chromaKeyOn());
    EXPECT_EQ(control.limits().values, (Limits{-270, 175, -270, 175, -270, 175}));
    link->queueReply("> ");
    link->queueReply("Chroma key off\r\n> ");
    EXPECT_TRUE(control.setChromaKey(false));
    EXPECT_THAT(wire(), ElementsAre("ck off\n", "ck\n")) << "the mode is read back";
    EXPECT_FALSE(control.chromaKeyOn());
    EXPECT_THAT(prompter.texts, IsEmpty());
}

// Insert is chosen on a device in chroma key mode that answers as the case says.
struct ModeCase {
    const char* name;
    std::string answer;   // to "ck off"
    std::string readBack; // to "ck"
    bool keyOnAfter;
    std::string told;
};

void PrintTo(const ModeCase& c, std::ostream* out) { *out << c.name; }

class ChromaKeyModeNotTaken : public ChromaKeyControlTest,
                              public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ChromaKeyModeNotTaken, IsToldAndTheModeShownIsTheDevicesOwn)
{
    answer(GetParam().answer);
    answer(GetParam().readBack);
    EXPECT_FALSE(control.setChromaKey(false));
    EXPECT_EQ(control.chromaKeyOn(), GetParam().keyOnAfter);
    EXPECT_THAT(prompter.texts, ElementsAre(GetParam().told));
}

const std::string notInsert = "The Quadrix did not switch to Insert mode.";
const std::string unknownInsert = "The Quadrix's chroma key mode could not be read back, so "
                                  "whether it switched to Insert mode is not known.";

INSTANTIATE_TEST_SUITE_P(
    Answers, ChromaKeyModeNotTaken,
    ::testing::Values(ModeCase{"refused", "Error: busy\r\n> ", "Chroma key on\r\n> ", true,
                               notInsert},
                      ModeCase{"silent", "", "", true, notInsert},
                      ModeCase{"cutShort", "Chroma", "", true, notInsert},
                      ModeCase{"stillOn", "> ", "Chroma key on\r\n> ", true, notInsert},
                      ModeCase{"readBackGarbled", "> ", "\xd3\xa1\r\n> ", true, unknownInsert},
                      ModeCase{"readBackRefused", "> ", "Error: busy\r\n> ", true, unknownInsert}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChromaKeyControlTest, AMinimumDraggedPastItsMaximumStopsThere)
{
    EXPECT_EQ(control.track(ChromaLimit::redMin, 400), 175);
    EXPECT_EQ(control.track(ChromaLimit::greenMax, -300), -270);
    takeLimits("175 175 -270 -270 -270 175");
    EXPECT_TRUE(control.endTracking());
    EXPECT_THAT(wire(), ElementsAre("ckc 175 175 -270 -270 -270 175\n", "ckc\n"));
}

TEST_F(ChromaKeyControlTest, TwoEndsWithinAHundredMillisecondsSendOnce)
{
    control.track(ChromaLimit::blueMax, 600);
    takeLimits("-270 175 -270 175 -270 600");
    takeLimits("-270 175 -270 175 -270 600");
    control.endTracking();
    clock.now += 100;
    control.endTracking();
    EXPECT_EQ(std::count(wire().begin(), wire().end(), "ckc\n"), 1);
    clock.now += 101;
    control.endTracking();
    EXPECT_EQ(std::count(wire().begin(), wire().end(), "ckc\n"), 2);
}

TEST_F(ChromaKeyControlTest, TypedLimitsAreCheckedAgainstTheirPartner)
{
    struct Case {
        ChromaLimit limit;
        std::string typed;
        bool accepted;
        std::string shown;
    };
    const std::vector<Case> cases{
        {ChromaLimit::redMin, "0", true, "0"},
        {ChromaLimit::redMin, "abc", false, "0"},
        {ChromaLimit::redMin, "176", false, "0"},
        {ChromaLimit::greenMax, "-271", false, "175"},
        {ChromaLimit::greenMax, "1250", true, "1250"},
        {ChromaLimit::blueMin, "-270", true, "-270"},
        {ChromaLimit::blueMax, "99999", false, "175"},
    };
    for (const Case& c : cases) {
        if (c.accepted)
            takeLimits(c.typed == "0" ? "0 175 -270 175 -270 175" : "0 175 -270 1250 -270 175");
        edit.content = c.typed;
        edit.modified = true;
        EXPECT_EQ(control.commitEdit(c.limit, edit), c.accepted) << c.typed;
        EXPECT_EQ(edit.content, c.shown) << c.typed;
    }
    EXPECT_THAT(wire(), ElementsAre("ckc 0 175 -270 175 -270 175\n", "ckc\n",
                                    "ckc 0 175 -270 1250 -270 175\n", "ckc\n",
                                    "ckc 0 175 -270 1250 -270 175\n", "ckc\n"));
    EXPECT_EQ(prompter.texts.front(),
              "The current range of values allowed for this parameter is -270 to 175, inclusive. "
              "Integers only.");
}

TEST_F(ChromaKeyControlTest, AnUnchangedBoxSendsNothing)
{
    edit.content = "12";
    edit.modified = false;
    EXPECT_TRUE(control.commitEdit(ChromaLimit::redMin, edit));
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(ChromaKeyControlTest, PresetsSendTheirLimitsInTheOldFormOnOldFirmware)
{
    firmware = 2.5;
    takeLimits("-270 175 522 1250 522 1250");
    EXPECT_TRUE(control.applyPreset(ChromaPreset::cyan));
    EXPECT_THAT(wire(), ElementsAre("ckey limits -270 175 522 1250 522 1250\n", "ckc\n"));
}

// The cyan preset chosen on a device that holds the default limits and answers as the case
// says.
struct LimitsCase {
    const char* name;
    std::string answer;   // to the limits command
    std::string readBack; // to "ckc"
    Limits after;
    std::string told;
};

void PrintTo(const LimitsCase& c, std::ostream* out) { *out << c.name; }

class ChromaKeyLimitsNotTaken : public ChromaKeyControlTest,
                                public ::testing::WithParamInterface<LimitsCase> {};

TEST_P(ChromaKeyLimitsNotTaken, AreToldAndTheLimitsShownAreTheDevicesOwn)
{
    answer(GetParam().answer);
    answer(GetParam().readBack);
    EXPECT_FALSE(control.applyPreset(ChromaPreset::cyan));
    EXPECT_EQ(control.limits().values, GetParam().after);
    EXPECT_THAT(prompter.texts, ElementsAre(GetParam().told));
}

const Limits defaults{-270, 175, -270, 175, -270, 175};
const Limits cyan{-270, 175, 522, 1250, 522, 1250};
const std::string notCyan =
    "The Quadrix did not take the chroma key limits -270 175 522 1250 522 1250 (mV).";
const std::string unknownCyan = "The Quadrix's chroma key limits could not be read back, so "
                                "whether it took -270 175 522 1250 522 1250 (mV) is not known.";
const std::string reportsDefaults = "Chroma key limits (mV): -270 175 -270 175 -270 175\r\n> ";

INSTANTIATE_TEST_SUITE_P(
    Answers, ChromaKeyLimitsNotTaken,
    ::testing::Values(LimitsCase{"refused", "Error: busy\r\n> ", "", defaults, notCyan},
                      LimitsCase{"silentAndUnchanged", "", reportsDefaults, defaults, notCyan},
                      LimitsCase{"takenButOthersHeld",
                                 "> ",
                                 "Chroma key limits (mV): -270 175 522 1250 522 1000\r\n> ",
                                 {-270, 175, 522, 1250, 522, 1000},
                                 notCyan},
                      // Defaults are never taken for what a reply without numbers holds.
                      LimitsCase{"readBackNotNumbers", "> ",
                                 "Chroma key limits (mV): nan nan nan\r\n> ", cyan, unknownCyan},
                      LimitsCase{"readBackSilent", "> ", "", cyan, unknownCyan}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChromaKeyControlTest, WithoutALinkTheDialogOpensWithTheDefaults)
{
    control.applyPreset(ChromaPreset::white);
    app.serialHandle.reset();
    control.initialise();
    EXPECT_FALSE(control.chromaKeyOn());
    EXPECT_EQ(control.limits().values, (Limits{-270, 175, -270, 175, -270, 175}));
}

} // namespace
} // namespace kivo::test
