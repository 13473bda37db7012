#include "cli/CliArguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::cli {
namespace {

using ::testing::HasSubstr;

ScreenRequest preset(int mode)
{
    ScreenRequest request;
    request.presetMode = mode;
    return request;
}

ScreenRequest user(int number)
{
    ScreenRequest request;
    request.userArrangement = number;
    return request;
}

ScreenRequest placing(int window, Rect output)
{
    ScreenRequest request;
    request.windows = {window};
    request.output = output;
    return request;
}

ScreenRequest switching(bool on, std::vector<int> windows)
{
    ScreenRequest request;
    request.on = on;
    request.windows = std::move(windows);
    return request;
}

struct ScreenCase {
    const char* name;
    std::vector<std::string> words;
    ScreenRequest request;
};

void PrintTo(const ScreenCase& c, std::ostream* out) { *out << c.name; }

class ReadScreenRequest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ReadScreenRequest, ReadsWhatTheVirtualScreenIsToDo)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.action, GetParam().words.front());
    EXPECT_EQ(parsed.arguments.screen, GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadScreenRequest,
    ::testing::Values(
        ScreenCase{"grid", {"arrange", "grid"}, preset(2)},
        ScreenCase{"centre", {"arrange", "centre"}, preset(3)},
        ScreenCase{"topLeft", {"arrange", "top-left"}, preset(4)},
        ScreenCase{"topRight", {"arrange", "top-right"}, preset(5)},
        ScreenCase{"bottomRight", {"arrange", "bottom-right"}, preset(6)},
        ScreenCase{"bottomLeft", {"arrange", "bottom-left"}, preset(7)},
        ScreenCase{"user", {"arrange", "user", "4"}, user(4)},
        ScreenCase{"optionsAfterTheAction", {"arrange", "grid", "--port", "sim"}, preset(2)},
        ScreenCase{
            "place", {"place", "3", "-10", "20", "300", "200"}, placing(3, {-10, 20, 290, 220})},
        ScreenCase{"placeAtTheLimits",
                   {"place", "10", "-65535", "65535", "65535", "1"},
                   placing(10, {-65535, 65535, 0, 65536})},
        ScreenCase{"windowsOn", {"windows", "on", "3", "1", "3"}, switching(true, {3, 1, 3})},
        ScreenCase{"windowsOff", {"windows", "off", "10"}, switching(false, {10})}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadScreenCase {
    const char* name;
    std::vector<std::string> words;
    std::string said; // a part of the one error line
};

void PrintTo(const BadScreenCase& c, std::ostream* out) { *out << c.name; }

class RefuseScreenRequest : public ::testing::TestWithParam<BadScreenCase> {};

TEST_P(RefuseScreenRequest, SaysWhatIsWrongInOneLine)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    EXPECT_THAT(parsed.error, HasSubstr(GetParam().said));
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefuseScreenRequest,
    ::testing::Values(
        BadScreenCase{"noLayout", {"arrange"}, "arrange needs a layout"},
        BadScreenCase{"unknownLayout", {"arrange", "diagonal"}, "unknown layout \"diagonal\""},
        BadScreenCase{"layoutCaseMatters", {"arrange", "Grid"}, "unknown layout \"Grid\""},
        BadScreenCase{"twoLayouts", {"arrange", "grid", "centre"}, "also \"centre\""},
        BadScreenCase{"userWithoutNumber", {"arrange", "user"}, "1 to 4"},
        BadScreenCase{"userZero", {"arrange", "user", "0"}, "from 1 to 4, not \"0\""},
        BadScreenCase{"userFive", {"arrange", "user", "5"}, "not \"5\""},
        BadScreenCase{"userTrailingJunk", {"arrange", "user", "1x"}, "not \"1x\""},
        BadScreenCase{"userTwice", {"arrange", "user", "1", "2"}, "also \"2\""},
        BadScreenCase{"placeMissingHeight", {"place", "3", "0", "0", "100"}, "place needs"},
        BadScreenCase{
            "placeOneTooMany", {"place", "3", "0", "0", "100", "100", "1"}, "place needs"},
        BadScreenCase{"windowZero", {"place", "0", "0", "0", "100", "100"}, "not \"0\""},
        BadScreenCase{"windowEleven", {"place", "11", "0", "0", "100", "100"}, "1 to 10"},
        BadScreenCase{"plusSign", {"place", "3", "+5", "0", "100", "100"}, "LEFT"},
        BadScreenCase{"hex", {"place", "3", "0", "0x10", "100", "100"}, "TOP"},
        BadScreenCase{"fraction", {"place", "3", "0", "0", "1.5", "100"}, "WIDTH"},
        BadScreenCase{"leadingBlank", {"place", "3", " 5", "0", "100", "100"}, "LEFT"},
        BadScreenCase{"emptyWord", {"place", "3", "0", "", "100", "100"}, "TOP"},
        BadScreenCase{"beyondInt", {"place", "3", "0", "0", "2147483648", "100"}, "WIDTH"},
        BadScreenCase{
            "farBeyondInt", {"place", "3", "-99999999999999999999", "0", "9", "9"}, "LEFT"},
        BadScreenCase{"widthBeyondLimit",
                      {"place", "3", "0", "0", "65536", "100"},
                      "from 1 to 65535, not \"65536\""},
        BadScreenCase{
            "leftBeyondLimit", {"place", "3", "-65536", "0", "100", "100"}, "from -65535 to 65535"},
        BadScreenCase{"zeroWidth", {"place", "3", "0", "0", "0", "100"}, "WIDTH"},
        BadScreenCase{"negativeHeight", {"place", "3", "0", "0", "100", "-1"}, "HEIGHT"},
        BadScreenCase{"controlBytesShownEscaped",
                      {"place", "3", "0", "0", "1\x1b[2J", "100"},
                      "not \"1\\x1B[2J\""},
        BadScreenCase{"windowsAlone", {"windows"}, "windows needs on or off"},
        BadScreenCase{"windowsWithoutNumbers", {"windows", "on"}, "windows needs on or off"},
        BadScreenCase{"windowsNeitherOnNorOff", {"windows", "maybe", "3"}, "not \"maybe\""},
        BadScreenCase{"windowsBadNumber", {"windows", "on", "3", "x"}, "not \"x\""},
        BadScreenCase{"windowsEleven", {"windows", "off", "11"}, "1 to 10"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::cli
