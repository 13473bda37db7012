#include "cli/CliArguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::cli {
namespace {

using ::testing::HasSubstr;

ImageRequest source(int window, SourceRequest rect)
{
    ImageRequest request;
    request.window = window;
    request.source = rect;
    return request;
}

ImageRequest level(int window, Level which, std::string value)
{
    ImageRequest request;
    request.window = window;
    request.level = which;
    request.value = std::move(value);
    return request;
}

struct ImageCase {
    const char* name;
    std::vector<std::string> words;
    ImageRequest request;
};

void PrintTo(const ImageCase& c, std::ostream* out) { *out << c.name; }

class ReadImageRequest : public ::testing::TestWithParam<ImageCase> {};

TEST_P(ReadImageRequest, ReadsWhatTheImageControlsAreToDo)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.action, GetParam().words.front());
    EXPECT_EQ(parsed.arguments.image, GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadImageRequest,
    ::testing::Values(
        ImageCase{
            "source", {"source", "3", "10", "20", "320", "240"}, source(3, {10, 20, 320, 240})},
        ImageCase{"sourceAtTheLimits",
                  {"source", "10", "65535", "0", "1", "65535"},
                  source(10, {65535, 0, 1, 65535})},
        ImageCase{"brightness",
                  {"level", "1", "brightness", "-500"},
                  level(1, Level::brightness, "-500")},
        ImageCase{
            "hueIsTheColourLevel", {"level", "2", "hue", "10"}, level(2, Level::colour, "10")},
        // The page's own check reads the value, so its range follows the window's input.
        ImageCase{
            "valueLeftToThePage", {"level", "3", "gamma", "1.5"}, level(3, Level::gamma, "1.5")}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadImageCase {
    const char* name;
    std::vector<std::string> words;
    std::string said; // a part of the one error line
};

void PrintTo(const BadImageCase& c, std::ostream* out) { *out << c.name; }

class RefuseImageRequest : public ::testing::TestWithParam<BadImageCase> {};

TEST_P(RefuseImageRequest, SaysWhatIsWrongInOneLine)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    EXPECT_THAT(parsed.error, HasSubstr(GetParam().said));
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefuseImageRequest,
    ::testing::Values(
        BadImageCase{"sourceAlone", {"source"}, "source needs a window number"},
        BadImageCase{"windowEleven", {"source", "11", "0", "0", "1", "1"}, "1 to 10"},
        BadImageCase{"sourceMissingHeight", {"source", "3", "0", "0", "640"}, "LEFT TOP WIDTH"},
        BadImageCase{"sourceNegativeLeft", {"source", "3", "-1", "0", "640", "480"}, "LEFT"},
        BadImageCase{"sourceZeroWidth", {"source", "3", "0", "0", "0", "480"}, "WIDTH"},
        BadImageCase{
            "sourceTrailingJunk", {"source", "3", "0", "0", "640", "480px"}, "not \"480px\""},
        BadImageCase{"levelWithoutValue", {"level", "3", "brightness"}, "level takes WINDOW"},
        BadImageCase{"unknownLevel", {"level", "3", "colour", "10"}, "not \"colour\""},
        BadImageCase{"levelCaseMatters", {"level", "3", "Gamma", "1.0"}, "not \"Gamma\""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::cli
