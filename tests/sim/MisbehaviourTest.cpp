#include "tests/sim/DeviceDriver.h"

#include "sim/LineNoise.h"

#include <gtest/gtest.h>

#include <string>

namespace kivo::sim::test {
namespace {

struct MisbehaviourCase {
    const char* name;
    Misbehaviour mode;
    // What "wsr 3" prints once the device misbehaves; its rectangle is "3 0 0 720 480".
    std::string answer;
    // Whether "win 1 off", sent while misbehaving, is carried out.
    bool acts;
};

void PrintTo(const MisbehaviourCase& c, std::ostream* out) { *out << c.name; }

class MisbehaviourTest : public ::testing::TestWithParam<MisbehaviourCase> {
protected:
    DeviceDriver driver{QuadrixOptions{.misbehaviour = GetParam().mode, .misbehaveFrom = "wsr"}};
};

TEST_P(MisbehaviourTest, AnswersWellUntilItsFirstCommandThenAsItsModeSays)
{
    EXPECT_EQ(driver.ask("baud"), "Baud rate: 9600\r\n> ") << "before its first command";
    EXPECT_EQ(driver.ask("  wsr 3"), GetParam().answer);
    driver.ask("win 1 off");
    EXPECT_EQ(driver.device.state().windows[0].on, !GetParam().acts);
    EXPECT_EQ(driver.device.gone(), GetParam().mode == Misbehaviour::vanish);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MisbehaviourTest,
    ::testing::Values(
        MisbehaviourCase{"silent", Misbehaviour::silent, "", false},
        MisbehaviourCase{"error", Misbehaviour::error, "Error: busy\r\n> ", false},
        MisbehaviourCase{"garbage", Misbehaviour::garbage, garbled("3 0 0 720 480\r\n> "), true},
        MisbehaviourCase{"nan", Misbehaviour::nan, "nan nan nan nan nan\r\n> ", true},
        MisbehaviourCase{"huge", Misbehaviour::huge,
                         "99999999999999999999 99999999999999999999 99999999999999999999 "
                         "99999999999999999999 99999999999999999999\r\n> ",
                         true},
        MisbehaviourCase{"negative", Misbehaviour::negative, "-3 -0 -0 -720 -480\r\n> ", true},
        // Gone after half its first answer: the second command is not even heard.
        MisbehaviourCase{"vanish", Misbehaviour::vanish, "3 0 0 72", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MisbehaviourTest, FirstCommandKeepsItsTrailingBlankSoAQueryDoesNotStartIt)
{
    DeviceDriver driver(
        QuadrixOptions{.misbehaviour = Misbehaviour::error, .misbehaveFrom = "wsr 3 "});
    EXPECT_EQ(driver.ask("wsr 3 "), "3 0 0 720 480\r\n> ");
    EXPECT_EQ(driver.ask("wsr 3 10 20 320 240"), "Error: busy\r\n> ");
}

TEST(MisbehaviourTest, WithoutAFirstCommandMisbehavesFromTheStart)
{
    DeviceDriver driver(QuadrixOptions{.misbehaviour = Misbehaviour::error});
    EXPECT_EQ(driver.send("echo off\n"), "Error: busy\r\n> ");
}

} // namespace
} // namespace kivo::sim::test
