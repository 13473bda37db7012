#include "tests/sim/DeviceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo::sim::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A set command, then a query whose answer must show the change.
struct SetQueryCase {
    const char* name;
    std::vector<std::string> commands;
    std::string query;
    std::string shows;
};

class SetThenQueryTest : public ::testing::TestWithParam<SetQueryCase> {};

TEST_P(SetThenQueryTest, QueryReadsBackTheChange)
{
    DeviceDriver driver;
    for (const std::string& command : GetParam().commands)
        EXPECT_EQ(driver.ask(command), "> ") << command;
    EXPECT_THAT(driver.ask(GetParam().query), HasSubstr(GetParam().shows));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SetThenQueryTest,
    ::testing::Values(
        SetQueryCase{"WinOff", {"win 3 off"}, "win all", "2 on  3 off  4 on"},
        SetQueryCase{"WinAllWords", {"win all off on off"}, "win all", "1 off  2 on  3 off  4 on"},
        SetQueryCase{"ChannelIsWin", {"channel 5 off"}, "win 5", "Window 5 is off"},
        SetQueryCase{"PriorityToFront",
                     {"priority 4 1"},
                     "priority all",
                     "Priority: 4 1 2 3 5 6 7 8 9 10\r\n"},
        SetQueryCase{"PriorityToPlace", {"priority 1 3"}, "priority all", "Priority: 2 3 1 4"},
        SetQueryCase{"PriorityOne", {"priority 9 2"}, "priority 9", "Window 9 priority 2"},
        SetQueryCase{"PriorityAllPartial",
                     {"priority all 3 1 2"},
                     "priority all",
                     "Priority: 3 1 2 4 5 6 7 8 9 10\r\n"},
        SetQueryCase{"Destination", {"wdr 3 -10 20 300 200"}, "wdr 3", "3 -10 20 300 200\r\n"},
        SetQueryCase{"Source", {"wsr 1 10 20 320 240"}, "wsr 1", "1 10 20 320 240\r\n"},
        SetQueryCase{
            "SourceCutAtTheInputEdge", {"wsr 1 600 0 640 480"}, "wsr 1", "1 0 0 640 480\r\n"},
        SetQueryCase{"Brightness", {"bright 3 -250"}, "bright 3", "Window 3 brightness: -250\r\n"},
        SetQueryCase{"Contrast", {"contrast 2 118"}, "contrast 2", "Window 2 contrast: 118\r\n"},
        SetQueryCase{
            "Saturation", {"saturation 3 150"}, "saturation 3", "Window 3 saturation: 150\r\n"},
        SetQueryCase{"Hue", {"hue 1 -180"}, "hue 1", "Window 1 color: -180\r\n"},
        SetQueryCase{"Gamma", {"gamma 3 1.5"}, "gamma 3", "Window 3 gamma: 1.5\r\n"},
        SetQueryCase{"Freeze", {"freeze 2 on"}, "freeze 2", "Window 2 freeze: on"},
        SetQueryCase{
            "LevelUnfreezes", {"freeze 3 on", "bright 3 10"}, "freeze 3", "Window 3 freeze: off"},
        SetQueryCase{"DestinationUnfreezes",
                     {"freeze 3 on", "wdr 3 0 0 100 100"},
                     "freeze 3",
                     "freeze: off"},
        SetQueryCase{"Motion", {"motion 3 on"}, "motion 3", "Window 3 filter: on"},
        SetQueryCase{"MotionField", {"motion 3 field"}, "motion 3", "Window 3 filter: on"},
        SetQueryCase{"MotionFrame", {"motion 3 on", "motion 3 frame"}, "motion 3", "filter: off"},
        SetQueryCase{
            "RgbSourceAtItsMinimum", {"wsr 2 100 100 256 192"}, "wsr 2", "2 100 100 256 192\r\n"},
        SetQueryCase{"Connector", {"input 3 svideo"}, "input 3", "Window 3 input: svideo"},
        SetQueryCase{"Baud", {"baud 19200"}, "baud", "Baud rate: 19200\r\n"},
        SetQueryCase{"EchoOff", {"echo off"}, "echo", "Echo is off"},
        SetQueryCase{"Autosync", {"host auto"}, "host", "Output mode: autosync"},
        SetQueryCase{
            "RecallOutput", {"host load 11"}, "host", "16  96  48  640  10  2  33  480  31469"},
        SetQueryCase{"OutputTimingShort",
                     {"ht 16 96 48 640 10 2 33 480"},
                     "host",
                     "16  96  48  640  10  2  33  480  48363"},
        SetQueryCase{"OutputTimingFull",
                     {"ht 16 96 48 640 10 2 33 480 31469 5 1 0 1"},
                     "host",
                     "480  31469 5    1    0    1\r\n"},
        SetQueryCase{"StoreOutput",
                     {"host name \"Hall\"", "host save 5"},
                     "hlist 5 5",
                     "5   Hall              24  136"},
        SetQueryCase{"DeleteOutput", {"hdel 1"}, "hlist 1 2", "\r\n1\r\n2   Projector"},
        SetQueryCase{"InputTiming",
                     {"rgbt 2 16 96 48 640 10 2 33 480"},
                     "rgb 2",
                     "16  96  48  640  10  2  33  480  48363"},
        SetQueryCase{"InputTimingSetsTheSize",
                     {"rgbt 2 16 96 48 640 10 2 33 480"},
                     "mwsr 2",
                     "RGB 640 x 480"},
        SetQueryCase{"RecallInput", {"rgbload 5  3"}, "rgb 5", "48  112 248 1280 1   3  38  1024"},
        SetQueryCase{"StoreInput",
                     {"rgbn 2 Desk PC", "rgbs 2 7"},
                     "rgblist",
                     "\r\n7   Desk PC           24  136 160 1024"},
        SetQueryCase{"DeleteInput", {"rgbdel 1"}, "rgblist", "\r\n1\r\n2   PC SVGA 60"},
        SetQueryCase{"FrontPanel", {"frontpanel off"}, "frontpanel", "Front panel disabled"},
        SetQueryCase{"FrontPanelBackOn",
                     {"frontpanel off", "frontpanel on"},
                     "frontpanel",
                     "Front panel enabled"},
        SetQueryCase{"ChromaKey", {"ck on"}, "ck", "Chroma key on"},
        SetQueryCase{"ChromaLimits",
                     {"ckc -270 175 522 1250 522 1250"},
                     "ckc",
                     "(mV): -270 175 522 1250 522 1250"},
        SetQueryCase{
            "ChromaLimitsOldForm", {"ckey limits 0 10 0 10 0 10"}, "ckc", "(mV): 0 10 0 10 0 10"}),
    [](const auto& info) { return std::string(info.param.name); });

// A command the device refuses: an answer holding "Error", and no change.
struct RefusedCase {
    const char* name;
    std::string command;
    std::string query;
};

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, AnswersErrorAndKeepsTheState)
{
    DeviceDriver driver;
    const std::string before = driver.ask(GetParam().query);
    EXPECT_THAT(driver.ask(GetParam().command), HasSubstr("Error"));
    EXPECT_EQ(driver.ask(GetParam().query), before);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedTest,
    ::testing::Values(RefusedCase{"WindowBeyondCount", "win 11 on", "win all"},
                      RefusedCase{"WindowZero", "wdr 0 0 0 100 100", "wdr 1"},
                      RefusedCase{"OnOffWord", "win 3 maybe", "win all"},
                      RefusedCase{"TooManyWords", "win all on on on on on on on on on on on",
                                  "win all"},
                      RefusedCase{"PlaceBeyondCount", "priority 3 11", "priority all"},
                      RefusedCase{"WindowTwiceInStack", "priority all 1 2 1", "priority all"},
                      RefusedCase{"TinyDestination", "wdr 3 0 0 5 5", "wdr 3"},
                      RefusedCase{"SourceOutsideInput", "wsr 3 900 0 100 100", "wsr 3"},
                      RefusedCase{"SourceBelowTheMinimum", "wsr 1 0 0 2 2", "wsr 1"},
                      RefusedCase{"RgbSourceBelowItsMinimum", "wsr 2 0 0 255 400", "wsr 2"},
                      RefusedCase{"FreezeField", "freeze 3 field", "freeze 3"},
                      RefusedCase{"MotionWord", "motion 3 fast", "motion 3"},
                      RefusedCase{"BrightnessRange", "bright 3 501", "bright 3"},
                      RefusedCase{"RgbContrastRange", "contrast 2 150", "contrast 2"},
                      RefusedCase{"SaturationOfRgb", "saturation 2 100", "id"},
                      RefusedCase{"GammaRange", "gamma 3 2.5", "gamma 3"},
                      RefusedCase{"GammaNotANumber", "gamma 3 bright", "gamma 3"},
                      RefusedCase{"MotionOfRgb", "motion 2 on", "id"},
                      RefusedCase{"Connector", "input 3 hdmi", "input 3"},
                      RefusedCase{"ConnectorOfRgb", "input 2 svideo", "id"},
                      RefusedCase{"SaveStandard", "host save 12", "hlist 12 12"},
                      RefusedCase{"DeleteStandard", "hdel 15", "hlist 15 15"},
                      RefusedCase{"LoadEmpty", "host load 3", "host"},
                      RefusedCase{"LoadBeyondList", "host load 28", "host"},
                      RefusedCase{"OutputTimingCount", "ht 1 2 3", "host"},
                      RefusedCase{"OutputTimingRange", "ht 16 96 48 100 10 2 33 480", "host"},
                      RefusedCase{"TimingOfVideoWindow", "rgb 1", "id"},
                      RefusedCase{"InputTimingRange", "rgbt 2 16 96 48 640 10 2 33 9000", "rgb 2"},
                      RefusedCase{"RecallEmptyInput", "rgbload 2 4", "rgb 2"},
                      RefusedCase{"InputSettingRange", "rgbs 2 51", "rgblist"},
                      RefusedCase{"ListRange", "hlist 5 2", "host"},
                      RefusedCase{"BaudRate", "baud 1234", "baud"},
                      RefusedCase{"ChromaMinAboveMax", "ckc 10 5 0 0 0 0", "ckc"},
                      RefusedCase{"ChromaBelowRange", "ckc -300 0 0 0 0 0", "ckc"}),
    [](const auto& info) { return std::string(info.param.name); });

// A name as a command carries it, and as the lists then show it.
struct NameCase {
    const char* name;
    std::string sent;
    std::string shown;
};

class SettingNameTest : public ::testing::TestWithParam<NameCase> {};

// The name column holds 18 bytes, then come the values: setting 5 of the output list and 7 of
// the input list both store an XGA 60Hz timing (HFP 24, HS 136).
TEST_P(SettingNameTest, ListsShowItInItsColumn)
{
    DeviceDriver driver;
    const std::string expected = GetParam().shown + std::string(18 - GetParam().shown.size(), ' ');
    EXPECT_EQ(driver.ask("host name " + GetParam().sent), "> ");
    driver.ask("host save 5");
    EXPECT_THAT(driver.ask("hlist 5 5"), HasSubstr("\r\n5   " + expected + "24  136 160 1024"));
    EXPECT_EQ(driver.ask("rgbn 2 " + GetParam().sent), "> ");
    driver.ask("rgbs 2 7");
    EXPECT_THAT(driver.ask("rgblist"), HasSubstr("\r\n7   " + expected + "24  136 160 1024"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SettingNameTest,
    ::testing::Values(NameCase{"Plain", "Hall", "Hall"},
                      NameCase{"Quoted", "\"Desk PC\"", "Desk PC"},
                      NameCase{"QuoteAlone", "\"", "\""},
                      NameCase{"CutAt17", "ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQ"},
                      NameCase{"ControlBytesDropped", "St\x1b[2Ju\tdio\x7f", "St[2Judio"},
                      NameCase{"NulDoesNotHideTheRest", std::string("Ha\0ll", 5), "Hall"},
                      NameCase{"QuotesAroundControlBytes", "\"Wall\"\x01", "Wall"},
                      // "\xc3\xa9" is one character: the cut goes before it, not through it.
                      NameCase{"CutKeepsWholeCharacters", "ABCDEFGHIJKLMNOP\xc3\xa9",
                               "ABCDEFGHIJKLMNOP"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowCountTest, FewerWindowsRefuseTheOthers)
{
    DeviceDriver driver(QuadrixOptions{.windowCount = 4});
    EXPECT_THAT(driver.ask("win all"), AllOf(HasSubstr("4 on"), Not(HasSubstr("5 "))));
    EXPECT_THAT(driver.ask("wdr 5"), HasSubstr("Error"));
    EXPECT_EQ(driver.ask("priority all"), "Priority: 1 2 3 4\r\n> ");
}

TEST(WindowCountTest, WindowsTileTheOutput)
{
    DeviceDriver driver;
    EXPECT_EQ(driver.ask("wdr 1"), "1 0 0 256 256\r\n> ");
    EXPECT_EQ(driver.ask("wdr 10"), "10 256 512 256 256\r\n> ");
}

} // namespace
} // namespace kivo::sim::test
