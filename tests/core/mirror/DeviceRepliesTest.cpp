#include "core/mirror/DeviceReplies.h"

#include "sim/LineNoise.h"

#include "core/base/Text.h"

#include <gmock/gmock.h>

#include <string>
#include <utility>
#include <vector>

namespace kivo::test {
namespace {

const std::string hostHeader =
    "                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL\r\n";

struct HostCase {
    const char* name;
    std::string reply;
    bool freeRun;
    bool locked;
    int hact;
    int sync;
    int hpol;
};

void PrintTo(const HostCase& c, std::ostream* out) { *out << c.name; }

class HostReply : public ::testing::TestWithParam<HostCase> {};

TEST_P(HostReply, ReadsTheStatusAndTheTimingNumbers)
{
    const auto status = parseHostReply(GetParam().reply);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->freeRun, GetParam().freeRun);
    EXPECT_EQ(status->locked, GetParam().locked);
    ASSERT_TRUE(status->timing);
    EXPECT_EQ(status->timing->HACT, GetParam().hact);
    EXPECT_EQ(status->timing->VACT, 768);
    EXPECT_EQ(status->timing->SYNC, GetParam().sync);
    EXPECT_EQ(status->timing->HPOL, GetParam().hpol);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostReply,
    ::testing::Values(
        HostCase{"syncWires",
                 "Output mode: free-run\r\n" + hostHeader +
                     "Output timing:         24  136 160 1024 3   6  29  768  48363 3    0    0    "
                     "0\r\n",
                 true, true, 1024, 3, 0},
        HostCase{
            "sevenIsHpol",
            "Output mode: autosync\r\n" + hostHeader +
                "Output timing:         24  136 160 1024 3   6  29  768  48363 7    1    0\r\n",
            false, true, 1024, 0, 7},
        HostCase{"acquiring",
                 "Output status: acquire\r\n" + hostHeader +
                     "Output timing:         24  136 160 100  3   6  29  768  48363 3    0    0    "
                     "0\r\n",
                 false, false, 100, 3, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostReplyWithoutTiming, NumbersNoDeviceCanHaveAreNoTiming)
{
    for (const std::string numbers :
         {"24  136 160 -1   3   6  29  768  48363 3 0 0 0",
          "24  136 160 1024 3   6  29  -768 48363 3 0 0 0",
          "24  136 160 99999999 3 6 29  768  48363 3 0 0 0",
          // Missing numbers are no defaults to show as a timing.
          "nan nan nan nan nan nan nan nan nan nan nan nan nan", "24  136 160 1024"}) {
        const auto status = parseHostReply("Output mode: free-run\r\n" + hostHeader +
                                           "Output timing:         " + numbers + "\r\n> ");
        ASSERT_TRUE(status) << numbers;
        EXPECT_FALSE(status->timing) << numbers;
    }
}

TEST(HostReplyWithoutTiming, KeepsOnlyTheStatus)
{
    const auto status = parseHostReply("Output mode: free-run\r\n> ");
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->freeRun);
    EXPECT_FALSE(status->timing);
    EXPECT_EQ(parseHostReply(""), std::nullopt);
    EXPECT_EQ(parseHostReply("Error: unknown command\r\n> "), std::nullopt);
}

TEST(BaudReply, NamesTheRateOrNothing)
{
    EXPECT_EQ(parseBaudReply("Baud rate: 57600\r\n> "), 57600);
    EXPECT_EQ(parseBaudReply("9600"), 9600);
    EXPECT_EQ(parseBaudReply("Baud rate: unknown"), std::nullopt);
    EXPECT_EQ(parseBaudReply("Baud rate: 3"), std::nullopt) << "no line runs at 3 baud";
    EXPECT_EQ(parseBaudReply("Baud rate: 2147483647"), std::nullopt);
    EXPECT_EQ(parseBaudReply("Error: 115200 is busy"), std::nullopt);
    EXPECT_EQ(parseBaudReply(""), std::nullopt);
}

TEST(EchoReply, SaysOnOffOrNothing)
{
    const auto on = parseEchoReply("Echo is ON\r\n> ");
    ASSERT_TRUE(on);
    EXPECT_TRUE(on->saysOn);
    EXPECT_FALSE(on->saysOff);
    EXPECT_TRUE(parseEchoReply("echo off")->saysOff);
    EXPECT_EQ(parseEchoReply("Error"), std::nullopt);
    EXPECT_EQ(parseEchoReply(""), std::nullopt);
}

// Noise is what a line at another rate than the device's brings: the simulator's, or any
// bytes outside text. A prompt at the start of a line, or plain text, is the device speaking.
TEST(AnswersInWords, TellsTheDeviceFromLineNoise)
{
    using namespace std::string_literals;
    const std::vector<std::pair<std::string, bool>> cases{
        {"Echo is on\r\n> ", true},
        {"echo\r\nEcho is on\r\n> ", true},
        {"> ", true},
        {"\xff\x00"
         "Baud rate: 9600\r\n> "s,
         true}, // a stray byte as the port opened
        {"Halvex Quadrix video windowing processor, firmware 3.1\r\nWin 1\tcomp\r\n", true},
        {"Error: unknown command\r\n", true},
        {sim::garbled("Echo is on\r\n> "), false},
        {sim::garbled("> "), false},
        {"\x80\xf8\x00\xfe\x1c"s, false},
        {"Echo is \xef\xbf\xbd on\r\n", false},
        {"a> b\x01", false}, // the prompt mid-line is noise that happens to hold it
        {"\0\0\0"s, false},
        {"", false},
    };
    for (const auto& [reply, inWords] : cases)
        EXPECT_EQ(answersInWords(reply), inWords) << escapeBytes(reply);
}

} // namespace
} // namespace kivo::test
