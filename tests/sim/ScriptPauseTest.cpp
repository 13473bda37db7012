#include "tests/sim/DeviceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace kivo::sim::test {
namespace {

using ::testing::EndsWith;
using ::testing::StartsWith;

// A "sleep" line of a command script and whether the device takes it. It answers at once:
// the pause is the sender's to keep.
struct SleepCase {
    const char* name;
    std::string line;
    bool accepted;
};

void PrintTo(const SleepCase& c, std::ostream* out) { *out << c.name; }

class SleepLine : public ::testing::TestWithParam<SleepCase> {};

TEST_P(SleepLine, IsAnsweredWithThePromptAloneOrRefused)
{
    DeviceDriver driver;
    const std::string answer = driver.ask(GetParam().line);
    if (GetParam().accepted) {
        EXPECT_EQ(answer, "> ");
    } else {
        EXPECT_THAT(answer, StartsWith("Error: "));
        EXPECT_THAT(answer, EndsWith("\r\n> "));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SleepLine,
                         ::testing::Values(SleepCase{"holdTime", "sleep 4000", true},
                                           SleepCase{"zero", "sleep 0", true},
                                           SleepCase{"tenMinutes", "sleep 600000", true},
                                           SleepCase{"scriptLineEnd", "sleep 800\r\r", true},
                                           SleepCase{"upperCase", "SLEEP 800", true},
                                           SleepCase{"beyondTenMinutes", "sleep 600001", false},
                                           SleepCase{"negative", "sleep -1", false},
                                           SleepCase{"beyondInt", "sleep 99999999999", false},
                                           SleepCase{"plusSign", "sleep +800", false},
                                           SleepCase{"fraction", "sleep 800.5", false},
                                           SleepCase{"hex", "sleep 0x20", false},
                                           SleepCase{"unit", "sleep 800ms", false},
                                           SleepCase{"word", "sleep long", false},
                                           SleepCase{"nothing", "sleep", false},
                                           SleepCase{"twoNumbers", "sleep 800 800", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::sim::test
