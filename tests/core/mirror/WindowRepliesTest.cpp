#include "core/mirror/WindowReplies.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;

// A refusal and silence give nothing, whatever the reply kind.
const std::string refusal = "Error: there is no window 5\r\n> ";

template <typename Result> struct ReplyCase {
    const char* name;
    std::string reply;
    std::optional<Result> expected;
};

template <typename Result> void PrintTo(const ReplyCase<Result>& c, std::ostream* out)
{
    *out << c.name;
}

const auto caseName = [](const auto& info) { return std::string(info.param.name); };

bool operator==(const RectReply& a, const RectReply& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool operator==(const InputSize& a, const InputSize& b)
{
    return a.type == b.type && a.width == b.width && a.height == b.height;
}

template <typename Result>
void expectParsed(const std::optional<Result>& parsed, const std::optional<Result>& expected)
{
    ASSERT_EQ(parsed.has_value(), expected.has_value());
    if (parsed) {
        EXPECT_TRUE(*parsed == *expected);
    }
}

using RectCase = ReplyCase<RectReply>;
class WindowRectReply : public ::testing::TestWithParam<RectCase> {};

TEST_P(WindowRectReply, ReadsLeftTopWidthHeight)
{
    expectParsed(parseWindowRect(GetParam().reply), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowRectReply,
    ::testing::Values(
        RectCase{"windowNumberFirst", "3 10 20 320 240\r\n> ", RectReply{10, 20, 320, 240}},
        RectCase{"fourNumbers", "Window source: 0 0 640 480", RectReply{0, 0, 640, 480}},
        RectCase{"threeNumbers", "10 20 320\r\n> ", std::nullopt},
        RectCase{"negativeLeft", "-40 100 256 256\r\n> ", RectReply{-40, 100, 256, 256}},
        RectCase{"edgeBeyondAnyOutput", "1 -2147483648 0 100 100", std::nullopt},
        RectCase{"negativeWidth", "1 0 0 -5 100", std::nullopt},
        RectCase{"sixNumbers", "1 2 3 4 5 6", std::nullopt},
        RectCase{"refused", refusal, std::nullopt}, RectCase{"silence", "", std::nullopt}),
    caseName);

using SizeCase = ReplyCase<InputSize>;
class InputSizeReply : public ::testing::TestWithParam<SizeCase> {};

TEST_P(InputSizeReply, ReadsTheVideoSizeAndItsKind)
{
    expectParsed(parseInputSize(GetParam().reply), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InputSizeReply,
    ::testing::Values(
        SizeCase{"pal", "Window 1 input size: 768 x 576\r\n> ",
                 InputSize{InputType::wideVideo, 768, 576}},
        SizeCase{"vga", "Window 1 input size: 640 x 480\r\n> ",
                 InputSize{InputType::video, 640, 480}},
        SizeCase{"leadingNumberPassedOver", "700 1024 768 576",
                 InputSize{InputType::wideVideo, 768, 576}},
        SizeCase{"tooTallFallsBack", "1 720 800", InputSize{InputType::wideVideo, 640, 480}},
        // The height's plausibility check must not overflow on the most negative number.
        SizeCase{"hugeNegativeHeightFallsBack", "Window 1 input size: 640 x -2147483648",
                 InputSize{InputType::video, 640, 480}},
        SizeCase{"noSizeFallsBack", "Window 1: no signal", InputSize{InputType::video, 640, 480}},
        SizeCase{"rgb", "Window 2 input: RGB 1024 x 768", InputSize{InputType::rgb, 640, 480}},
        SizeCase{"refused", refusal, std::nullopt}, SizeCase{"silence", "", std::nullopt}),
    caseName);

using LevelCase = ReplyCase<double>;
class LevelReply : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LevelReply, TakesTheValueAfterTheWindowNumber)
{
    const auto real = parseRealLevel(GetParam().reply);
    const auto integer = parseLevel(GetParam().reply);
    ASSERT_EQ(real.has_value(), GetParam().expected.has_value());
    ASSERT_EQ(integer.has_value(), GetParam().expected.has_value());
    if (real) {
        EXPECT_DOUBLE_EQ(*real, *GetParam().expected);
        EXPECT_EQ(*integer, static_cast<int>(*GetParam().expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelReply,
    ::testing::Values(LevelCase{"withWindowNumber", "Window 1 brightness: -12", -12.0},
                      LevelCase{"valueAlone", "40", 40.0},
                      LevelCase{"real", "Window 1 gamma: 1.8", 1.8},
                      LevelCase{"leadingBlanks", "  7", 7.0},
                      LevelCase{"noNumber", "brightness: unknown", std::nullopt},
                      LevelCase{"refused", refusal, std::nullopt},
                      LevelCase{"silence", "", std::nullopt}),
    caseName);

TEST(LevelReply, RealThatIsNotFiniteIsNoValue)
{
    for (const char* reply : {"Window 1 gamma: 1e999", "Window 1 gamma: -1e400"})
        EXPECT_EQ(parseRealLevel(reply), std::nullopt) << reply;
}

TEST(StateReplies, SayOnSvideoOrNothing)
{
    EXPECT_EQ(parseSwitch("Window 1 freeze: ON"), true);
    EXPECT_EQ(parseSwitch("Window 1 freeze: off"), false);
    EXPECT_EQ(parseSvideo("Window 1 input: SVideo"), true);
    EXPECT_EQ(parseSvideo("Window 1 input: composite"), false);
    for (const std::string& reply : {refusal, std::string()}) {
        EXPECT_EQ(parseSwitch(reply), std::nullopt);
        EXPECT_EQ(parseSvideo(reply), std::nullopt);
    }
}

TEST(OnOffReply, ListsEachWindowUpToTheCount)
{
    EXPECT_THAT(*parseOnOff("1 on\r\n2 off\r\n3 on\r\n> ", 10), ElementsAre(true, false, true));
    EXPECT_THAT(*parseOnOff("On On On On", 2), ElementsAre(true, true));
    EXPECT_EQ(parseOnOff(refusal, 10), std::nullopt);
    EXPECT_EQ(parseOnOff("", 10), std::nullopt);
}

TEST(StackingReply, PlacesTheWindowsFrontToBack)
{
    const auto stacking = parseStacking("Priority: 12 3 1 2 4 5 6 7 8 9 10\r\n> ", 10);
    ASSERT_TRUE(stacking);
    EXPECT_THAT(stacking->priorities, ElementsAre(3, 4, 2, 5, 6, 7, 8, 9, 10, 0));
    EXPECT_EQ(stacking->listLength, 11u);
    EXPECT_EQ(stacking->front, std::nullopt) << "position 1 named no window of this device";

    const auto four = parseStacking("4 1 2 3", 4);
    ASSERT_TRUE(four);
    EXPECT_EQ(four->front, 3);
    EXPECT_EQ(four->listLength, 4u);
    EXPECT_EQ(parseStacking("2 1", 4)->listLength, 4u) << "never fewer than the window count";
    EXPECT_EQ(parseStacking(refusal, 4), std::nullopt);
}

TEST(WindowTypesReply, CountsTheInputsTheDeviceNames)
{
    const WindowTypes types = parseWindowTypes("Win 1 COMP\r\nWin 2 rgb\r\nWin 3 comp\r\n");
    EXPECT_EQ(types.count, 3u);
    EXPECT_THAT(types.types, ElementsAre(InputType::video, InputType::rgb, InputType::video));

    std::string twelve;
    for (int w = 0; w < 12; ++w)
        twelve += "comp ";
    EXPECT_EQ(parseWindowTypes(twelve).count, 10u);
    EXPECT_EQ(parseWindowTypes(twelve).types.size(), 10u);
    EXPECT_EQ(parseWindowTypes("Quadrix").count, 10u);
    EXPECT_TRUE(parseWindowTypes("Error: rgb comp").types.empty());
}

} // namespace
} // namespace kivo::test
