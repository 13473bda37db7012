// The restore of factory defaults on the device's own clock: each way it can end, timed
// exactly, without waiting.
#include "tests/sim/DeviceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

namespace kivo::sim::test {
namespace {

using ::testing::HasSubstr;

constexpr const char* banner = "Halvex Quadrix video windowing processor, firmware 3.1\r\n";
constexpr const char* restartQuestion = "Factory defaults restored. Restart now? (y/n) ";

// A device at 38400 baud with window 1 switched off and output setting 1 deleted, asked
// to restore its factory defaults, on a clock the test moves.
class FactoryResetFixture {
public:
    explicit FactoryResetFixture(FactoryReply reply) : driver(options(reply))
    {
        driver.ask("win 1 off");
        driver.ask("hdel 1");
    }

    // Asks, confirms, and tells what the device said to "yes".
    std::string startRestore()
    {
        EXPECT_EQ(driver.send("restorefactorydefaults\n"),
                  "Restore factory defaults? All user settings will be erased. (yes/no) ");
        return driver.send("yes\n");
    }

    // What the device prints by itself once the clock stands at ms.
    std::string at(std::int64_t ms)
    {
        nowMs = ms;
        return driver.device.takeOutput();
    }

    bool restored() const
    {
        const DeviceState& state = driver.device.state();
        return state.windows[0].on && state.outputSettings[0].has_value() && state.baud == 9600;
    }

    std::int64_t nowMs = 0;
    DeviceDriver driver;

private:
    QuadrixOptions options(FactoryReply reply)
    {
        QuadrixOptions o{.baud = 38400, .factoryReply = reply};
        o.reference.nowMs = [this] { return nowMs; };
        return o;
    }
};

struct EndingCase {
    const char* name;
    FactoryReply reply;
    // Printed by itself when the restore is over.
    std::string atTheEnd;
    // A line sent then, and its answer.
    std::string next;
    std::string answer;

    friend void PrintTo(const EndingCase& c, std::ostream* out) { *out << c.name; }
};

class FactoryEndingTest : public ::testing::TestWithParam<EndingCase> {};

TEST_P(FactoryEndingTest, RestoresAfterItsTimeAndEndsAsItWasTold)
{
    const EndingCase& c = GetParam();
    FactoryResetFixture fixture(c.reply);
    EXPECT_EQ(fixture.startRestore(), "Restoring factory defaults, please wait\r\n");

    // Busy: nothing by itself, and a command is not read.
    EXPECT_EQ(fixture.at(FactoryReset::restoreMs - 1), "");
    EXPECT_EQ(fixture.driver.send("win 2 off\n"), "");
    EXPECT_TRUE(fixture.driver.device.state().windows[1].on);
    EXPECT_FALSE(fixture.restored());
    EXPECT_EQ(fixture.driver.device.msUntilOwnOutput(), 1);

    EXPECT_EQ(fixture.at(FactoryReset::restoreMs), c.atTheEnd);
    EXPECT_TRUE(fixture.restored());
    EXPECT_EQ(fixture.driver.device.msUntilOwnOutput(), std::nullopt);
    EXPECT_EQ(fixture.driver.send(c.next), c.answer);
    EXPECT_TRUE(fixture.restored());
}

INSTANTIATE_TEST_SUITE_P(
    Endings, FactoryEndingTest,
    ::testing::Values(EndingCase{"PromptRestartsOnY", FactoryReply::prompt, restartQuestion, "y\n",
                                 "y\r\n" + std::string(banner) + "> "},
                      EndingCase{"PromptWithoutYGoesOnWithoutTheBanner", FactoryReply::prompt,
                                 restartQuestion, "n\n", "n\r\n> "},
                      EndingCase{"BannerRestartsAtOnce", FactoryReply::banner,
                                 std::string(banner) + "> ", "baud\n",
                                 "baud\r\nBaud rate: 9600\r\n> "},
                      EndingCase{"NoneRestartsWithoutAWord", FactoryReply::none, "", "baud\n",
                                 "baud\r\nBaud rate: 9600\r\n> "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FactoryResetTest, AnythingButYesToTheQuestionCancels)
{
    FactoryResetFixture fixture(FactoryReply::banner);
    fixture.driver.send("restorefactorydefaults\n");
    EXPECT_EQ(fixture.driver.send("n\n"), "Restore cancelled\r\n> ");
    EXPECT_EQ(fixture.at(FactoryReset::restoreMs), "");
    EXPECT_FALSE(fixture.driver.device.state().windows[0].on);
    EXPECT_EQ(fixture.driver.device.state().baud, 38400);
}

TEST(FactoryResetTest, TheFirstQuestionIsNotTheRestartQuestion)
{
    // A panel that watches for "y/n" must not answer the question it has already answered.
    FactoryResetFixture fixture(FactoryReply::prompt);
    EXPECT_THAT(fixture.startRestore(), ::testing::Not(HasSubstr("y/n")));
}

} // namespace
} // namespace kivo::sim::test
