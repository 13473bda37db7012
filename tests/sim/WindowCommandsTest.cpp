#include "tests/sim/DeviceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo::sim::test {
namespace {

using ::testing::HasSubstr;

// The group and single-window commands of the Virtual Screen on a four-window device, where
// a panel that has not asked the window count still lists ten windows.
DeviceDriver fourWindows() { return DeviceDriver(QuadrixOptions{.windowCount = 4}); }

struct WindowCase {
    const char* name;
    std::vector<std::string> commands;
    std::string query;
    std::string reply; // the whole answer to the query
};

void PrintTo(const WindowCase& c, std::ostream* out) { *out << c.name; }

class WindowCommandReadBack : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowCommandReadBack, QueryAnswersWithTheNewState)
{
    DeviceDriver driver = fourWindows();
    for (const std::string& command : GetParam().commands)
        EXPECT_EQ(driver.ask(command), "> ") << command;
    EXPECT_EQ(driver.ask(GetParam().query), GetParam().reply + "\r\n> ");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowCommandReadBack,
    ::testing::Values(
        WindowCase{"winOne", {"win 3 off"}, "win all", "1 on  2 on  3 off  4 on"},
        WindowCase{"channelOne", {"channel 2 off"}, "win 2", "Window 2 is off"},
        WindowCase{
            "channelAll", {"channel all off on off on"}, "win all", "1 off  2 on  3 off  4 on"},
        WindowCase{"fewerWordsLeaveTheRest",
                   {"WIN ALL OFF OFF"},
                   "channel all",
                   "1 off  2 off  3 on  4 on"},
        WindowCase{"tenWordsOnFourWindows",
                   {"win all off on off on off off off off off off"},
                   "win all",
                   "1 off  2 on  3 off  4 on"},
        WindowCase{"switchingKeepsTheStack",
                   {"priority 3 1", "win 3 off", "win 3 on"},
                   "priority all",
                   "Priority: 3 1 2 4"},
        WindowCase{"priorityToFront", {"priority 4 1"}, "priority all", "Priority: 4 1 2 3"},
        WindowCase{"priorityToBack", {"priority 1 4"}, "priority all", "Priority: 2 3 4 1"},
        WindowCase{"priorityOne", {"priority 1 4"}, "priority 1", "Window 1 priority 4"},
        WindowCase{"priorityAllPartial", {"priority all 3 1"}, "priority all", "Priority: 3 1 2 4"},
        WindowCase{"priorityAllOfTen",
                   {"priority all 2 1 4 3 5 6 7 8 9 10"},
                   "priority all",
                   "Priority: 2 1 4 3"},
        WindowCase{"priorityAllSkipsAbsentWindows",
                   {"priority all 9 4 7 2"},
                   "priority all",
                   "Priority: 4 2 1 3"},
        WindowCase{"destination", {"wdr 3 -10 20 300 200"}, "wdr 3", "3 -10 20 300 200"},
        WindowCase{"destinationAtTheLimits",
                   {"wdr 3 -4096 4096 16 4096"},
                   "wdr 3",
                   "3 -4096 4096 16 4096"},
        WindowCase{"windowOffTakesItsPlace",
                   {"win 4 off", "wdr 4 0 0 100 100"},
                   "wdr 4",
                   "4 0 0 100 100"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    std::string command;
    std::string query; // answers the same before and after
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class WindowCommandRefused : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(WindowCommandRefused, AnswersErrorAndChangesNothing)
{
    DeviceDriver driver = fourWindows();
    driver.ask("priority 3 1");
    driver.ask("win 2 off");
    const std::string before = driver.ask(GetParam().query);
    EXPECT_THAT(driver.ask(GetParam().command), HasSubstr("Error"));
    EXPECT_EQ(driver.ask(GetParam().query), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowCommandRefused,
    ::testing::Values(
        RefusalCase{"elevenWords", "win all on on on on on on on on on on on", "win all"},
        RefusalCase{"badWordAfterGoodOnes", "win all on on maybe", "win all"},
        RefusalCase{"channelOfAbsentWindow", "channel 5 on", "win all"},
        RefusalCase{"windowNoQuadrixHas", "priority all 1 11", "priority all"},
        RefusalCase{"windowZeroInStack", "priority all 0 1", "priority all"},
        RefusalCase{"windowTwiceInStack", "priority all 2 4 2", "priority all"},
        RefusalCase{"elevenInStack", "priority all 1 2 3 4 5 6 7 8 9 10 1", "priority all"},
        RefusalCase{"priorityOfAbsentWindow", "priority 5 1", "priority all"},
        RefusalCase{"placeBeyondCount", "priority 2 5", "priority all"},
        RefusalCase{"placeZero", "priority 2 0", "priority all"},
        RefusalCase{"destinationOfAbsentWindow", "wdr 5 0 0 100 100", "wdr 4"},
        RefusalCase{"destinationTooNarrow", "wdr 3 0 0 15 100", "wdr 3"},
        RefusalCase{"destinationTooFarLeft", "wdr 3 -4097 0 100 100", "wdr 3"},
        RefusalCase{"destinationMissingHeight", "wdr 3 0 0 100", "wdr 3"},
        RefusalCase{"destinationNotANumber", "wdr 3 0 0 100 1e2", "wdr 3"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::sim::test
