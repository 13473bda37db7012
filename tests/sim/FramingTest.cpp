#include "tests/sim/DeviceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo::sim::test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

struct FramingCase {
    const char* name;
    std::vector<std::string> before;
    std::string input;
    std::string expected;
};

class FramingTest : public ::testing::TestWithParam<FramingCase> {};

TEST_P(FramingTest, AnswersWithExactBytes)
{
    DeviceDriver driver;
    for (const std::string& line : GetParam().before)
        driver.send(line);
    EXPECT_EQ(driver.send(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FramingTest,
    ::testing::Values(
        FramingCase{"EchoOnRepeatsTheLine", {}, "baud\n", "baud\r\nBaud rate: 9600\r\n> "},
        FramingCase{"EchoOffAnswersOnly", {"echo off\n"}, "baud\n", "Baud rate: 9600\r\n> "},
        FramingCase{"EchoOffIsItselfEchoed", {}, "echo off\n", "echo off\r\n> "},
        FramingCase{"EchoOnAfterOff", {"echo off\n"}, "echo on\n", "> "},
        FramingCase{
            "CarriageReturnsAreDropped", {"echo off\n"}, "ba\rud\r\n", "Baud rate: 9600\r\n> "},
        FramingCase{"BareLineFeedGivesThePrompt", {"echo off\n"}, "\n", "> "},
        FramingCase{"SetCommandAnswersWithThePrompt", {"echo off\n"}, "win 3 off\n", "> "},
        FramingCase{"BlanksAroundTheCommandDoNotMatter",
                    {"echo off\n"},
                    "  BAUD  \n",
                    "Baud rate: 9600\r\n> "},
        FramingCase{"UnknownCommand",
                    {"echo off\n"},
                    "launch\n",
                    "Error: unknown command \"launch\"\r\n> "},
        FramingCase{"WrongArguments",
                    {"echo off\n"},
                    "wsr 3 1\n",
                    "Error: wrong arguments, use: wsr n | wsr n left top width height\r\n> "},
        FramingCase{"NoPromptBeforeTheLineFeed", {"echo off\n"}, "baud", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FramingTest, TooLongLineIsRefusedAndTheNextWorks)
{
    DeviceDriver driver;
    driver.send("echo off\n");
    EXPECT_THAT(driver.send(std::string(5000, 'x') + "\n"),
                AllOf(HasSubstr("Error"), EndsWith("> ")));
    EXPECT_EQ(driver.send("baud\n"), "Baud rate: 9600\r\n> ");
}

// Collects a paged answer the way the panel does: a bare line feed after each marker.
std::vector<std::string> pages(DeviceDriver& driver, const std::string& command)
{
    std::vector<std::string> result{driver.send(command + "\n")};
    while (result.back().ends_with("----- MORE -----") && result.size() < 100)
        result.push_back(driver.send("\n"));
    return result;
}

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class PagingTest : public ::testing::TestWithParam<int> {};

TEST_P(PagingTest, PagesHoldPageLinesAndJoinToTheWholeAnswer)
{
    const int pageLines = GetParam();
    DeviceDriver whole(QuadrixOptions{.pageLines = 0});
    DeviceDriver paged(QuadrixOptions{.pageLines = pageLines});
    whole.send("echo off\n");
    paged.send("echo off\n");
    const std::string expected = whole.send("help\n");

    const std::vector<std::string> got = pages(paged, "help");
    ASSERT_GE(got.size(), 3u) << "help should page several times";
    std::string joined;
    for (std::size_t i = 0; i + 1 < got.size(); ++i) {
        EXPECT_EQ(lineCount(got[i]), pageLines);
        EXPECT_THAT(got[i], Not(HasSubstr("> ")));
        joined += got[i].substr(0, got[i].size() - std::string("----- MORE -----").size());
    }
    EXPECT_LE(lineCount(got.back()), pageLines);
    EXPECT_THAT(got.back(), EndsWith("\r\n> "));
    EXPECT_EQ(joined + got.back(), expected);
}

INSTANTIATE_TEST_SUITE_P(PageLengths, PagingTest, ::testing::Values(1, 5, 20));

TEST(PagingTest, MarkerOnlyWhenLinesRemain)
{
    DeviceDriver driver(QuadrixOptions{.pageLines = 2});
    driver.send("echo off\n");
    // The list header and one row are exactly one page; a second row is not.
    EXPECT_THAT(driver.send("hlist 1 1\n"), EndsWith("\r\n> "));
    EXPECT_THAT(driver.send("hlist 1 2\n"), EndsWith("----- MORE -----"));
}

TEST(PagingTest, ACommandWhilePagesWaitDropsTheRest)
{
    DeviceDriver driver(QuadrixOptions{.pageLines = 5});
    driver.send("echo off\n");
    EXPECT_THAT(driver.send("help\n"), EndsWith("----- MORE -----"));
    EXPECT_EQ(driver.send("baud\n"), "Baud rate: 9600\r\n> ");
    EXPECT_EQ(driver.send("\n"), "> ");
}

TEST(PagingTest, EchoedContinuationIsABlankLine)
{
    DeviceDriver driver(QuadrixOptions{.pageLines = 5});
    driver.send("help\n");
    EXPECT_THAT(driver.send("\n"), StartsWith("\r\n"));
}

TEST(PagingTest, EndlessPagingRepeatsTheLastPageAndNeverPrompts)
{
    DeviceDriver driver(QuadrixOptions{.pageLines = 20, .endlessPagingAfter = 1});
    EXPECT_EQ(driver.send("echo off\n"), "echo off\r\n> ");
    EXPECT_EQ(driver.send("baud\n"), "Baud rate: 9600\r\n----- MORE -----");
    for (int page = 0; page < 3; ++page)
        EXPECT_EQ(driver.send("\n"), "Baud rate: 9600\r\n----- MORE -----");
    EXPECT_EQ(driver.send("win 1 off\n"), "----- MORE -----");
}

TEST(SilentAfterTest, AnswersTheFirstCommandsThenNothing)
{
    DeviceDriver driver(QuadrixOptions{.silentAfter = 2});
    EXPECT_EQ(driver.send("echo off\n"), "echo off\r\n> ");
    EXPECT_EQ(driver.send("baud\n"), "Baud rate: 9600\r\n> ");
    EXPECT_EQ(driver.send("baud\n"), "");
    EXPECT_EQ(driver.send("win 1 off\n"), "");
    EXPECT_TRUE(driver.device.state().windows[0].on) << "a silent device does not act either";
}

TEST(SilentAfterTest, ZeroIsSilentFromTheStart)
{
    DeviceDriver driver(QuadrixOptions{.silentAfter = 0});
    EXPECT_EQ(driver.send("id\n"), "");
}

class FixedReplyTest : public ::testing::Test {
protected:
    static QuadrixOptions options()
    {
        QuadrixOptions o;
        o.fixedReplies.add("win 1 off", "refused\r\n");
        o.fixedReplies.add("host", "Error\r\n");
        return o;
    }

    DeviceDriver driver{options()};
};

TEST_F(FixedReplyTest, ReplacesTheAnswerAndChangesNothing)
{
    driver.send("echo off\n");
    EXPECT_EQ(driver.send("win 1 off\n"), "refused\r\n> ");
    EXPECT_TRUE(driver.device.state().windows[0].on);
    EXPECT_EQ(driver.send(" host \n"), "Error\r\n> ");
}

TEST_F(FixedReplyTest, OtherCommandsReachTheModel)
{
    driver.send("echo off\n");
    EXPECT_EQ(driver.send("win 2 off\n"), "> ");
    EXPECT_FALSE(driver.device.state().windows[1].on);
}

TEST_F(FixedReplyTest, EchoStillFramesAFixedReply)
{
    EXPECT_EQ(driver.send("host\n"), "host\r\nError\r\n> ");
}

TEST(CommandObserverTest, SeesLinesAsReceivedAndKeysOneByOne)
{
    DeviceDriver driver;
    std::vector<std::string> seen;
    driver.device.setCommandObserver([&seen](std::string_view bytes) { seen.emplace_back(bytes); });
    driver.send("wsr 3\r\nhi\nlq\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"wsr 3\r\n", "hi\n", "l", "q", "\n"}));
}

class AdjustmentTest : public ::testing::Test {
protected:
    void SetUp() override { driver.send("echo off\n"); }

    DeviceDriver driver;
};

TEST_F(AdjustmentTest, KeysAreCommandsWithoutEchoOrPromptUntilQ)
{
    driver.send("echo on\n");
    EXPECT_THAT(driver.send("hi\n"), AllOf(StartsWith("hi\r\n"), Not(EndsWith("> "))));
    EXPECT_EQ(driver.send("l"), "HFP 23 HBP 161 HACT 1024 VFP 3 VBP 29 VACT 768\r\n");
    EXPECT_EQ(driver.send("q"), "Adjustment done\r\n> ");
    EXPECT_THAT(driver.send("baud\n"), StartsWith("baud\r\n"));
}

TEST_F(AdjustmentTest, OutputMovesKeepTheTotalAndShowInHost)
{
    driver.send("hi\n");
    driver.send("lllkj j");
    driver.send("q");
    const VideoTiming& t = driver.device.state().output;
    EXPECT_EQ(t.hbp, 163);
    EXPECT_EQ(t.hfp, 21);
    EXPECT_EQ(t.vbp, 30);
    EXPECT_EQ(t.vfp, 2);
    EXPECT_TRUE(driver.device.state().adjustSecondImage);
    EXPECT_THAT(driver.ask("host"), HasSubstr("21  136 163 1024 2   6  30  768"));
}

TEST_F(AdjustmentTest, InputWidthAndHeightFollowTheKeys)
{
    EXPECT_THAT(driver.send("rgbi 2\n"), Not(HasSubstr("Error")));
    driver.send("LLKq");
    EXPECT_THAT(driver.ask("mwsr 2"), HasSubstr("RGB 1026 x 769"));
}

TEST_F(AdjustmentTest, SizeKeysAreRefusedForTheOutputAndPorchesStayPositive)
{
    driver.send("hi\n");
    EXPECT_THAT(driver.send("L"), HasSubstr("Keys:"));
    for (int i = 0; i < 40; ++i)
        driver.send("j");
    driver.send("q");
    EXPECT_EQ(driver.device.state().output.vfp, 0);
    EXPECT_EQ(driver.device.state().output.vbp, 32);
}

// Keys typed in the adjustment mode, and the moved timing the status query then reports.
struct AdjustCase {
    const char* name;
    std::string start;
    std::string keys;
    std::string query;
    std::string shows;
};

class AdjustedTimingTest : public ::testing::TestWithParam<AdjustCase> {};

TEST_P(AdjustedTimingTest, StatusShowsTheMovedTimingAfterQ)
{
    DeviceDriver driver;
    driver.ask(GetParam().start);
    driver.send(GetParam().keys);
    EXPECT_EQ(driver.send("q"), "Adjustment done\r\n> ");
    EXPECT_THAT(driver.ask(GetParam().query), HasSubstr(GetParam().shows));
}

// Output and window 2 both start at XGA 60Hz: 24 136 160 1024 3 6 29 768.
INSTANTIATE_TEST_SUITE_P(Keys, AdjustedTimingTest,
                         ::testing::Values(AdjustCase{"OutputRightAndDown", "hi", "lj", "host",
                                                      "23  136 161 1024 2   6  30  768"},
                                           AdjustCase{"OutputSpaceMovesNothing", "hi", "  ", "host",
                                                      "24  136 160 1024 3   6  29  768"},
                                           AdjustCase{"WindowLeftAndUp", "rgbi 2", "hhkk", "rgb 2",
                                                      "26  136 158 1024 5   6  27  768"},
                                           AdjustCase{"WindowWiderAndLower", "rgbi 2", "LLJ",
                                                      "rgb 2", "22  136 160 1026 4   6  29  767"},
                                           AdjustCase{"WindowNarrowerAndTaller", "rgbi 2", "HK",
                                                      "rgb 2", "25  136 160 1023 2   6  29  769"},
                                           AdjustCase{"WindowIgnoresSpace", "rgbi 2", " ", "rgb 2",
                                                      "24  136 160 1024 3   6  29  768"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AdjustmentTest, SpaceSwitchesImagesOfTheOutputOnly)
{
    driver.send("rgbi 2\n");
    EXPECT_EQ(driver.send(" "), "Keys: h l k j H L J K q\r\n");
    EXPECT_FALSE(driver.device.state().adjustSecondImage);
    driver.send("q");
    driver.send("hi\n");
    EXPECT_EQ(driver.send(" "), "Showing the bottom/right image\r\n");
    EXPECT_EQ(driver.send("H"), "Keys: h l k j space q\r\n");
}

TEST_F(AdjustmentTest, VideoWindowCannotBeAdjusted)
{
    EXPECT_THAT(driver.send("rgbi 1\n"), AllOf(HasSubstr("Error"), EndsWith("> ")));
    EXPECT_FALSE(driver.device.byteMode());
}

} // namespace
} // namespace kivo::sim::test
