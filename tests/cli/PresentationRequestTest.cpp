#include "cli/CliArguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::cli {
namespace {

using ::testing::HasSubstr;

PresentationRequest request(std::string name, std::optional<std::string> output = {},
                            bool loop = false, int fromShot = 1, bool strict = false)
{
    return {std::move(name), std::move(output), loop, fromShot, strict};
}

struct PresentationCase {
    const char* name;
    std::vector<std::string> words;
    PresentationRequest request;
    bool json = false;
};

void PrintTo(const PresentationCase& c, std::ostream* out) { *out << c.name; }

class ReadPresentationRequest : public ::testing::TestWithParam<PresentationCase> {};

TEST_P(ReadPresentationRequest, ReadsTheNameAndTheOptions)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.presentation, GetParam().request);
    EXPECT_EQ(parsed.arguments.json, GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadPresentationRequest,
    ::testing::Values(
        PresentationCase{"list", {"presentations"}, {}},
        PresentationCase{"listJson", {"--ini", "a.ini", "presentations", "--json"}, {}, true},
        PresentationCase{"export", {"export", "Show"}, request("Show")},
        PresentationCase{"exportTo",
                         {"export", "--output", "out/show.txt", "Show"},
                         request("Show", "out/show.txt")},
        PresentationCase{"nameWithBlanks", {"export", "Lobby loop"}, request("Lobby loop")},
        PresentationCase{"nameThatIsAnAction", {"play", "status"}, request("status")},
        PresentationCase{"play", {"play", "Show"}, request("Show")},
        PresentationCase{"playLoopFrom",
                         {"play", "--from", "3", "Show", "--loop", "--port", "sim"},
                         request("Show", {}, true, 3)},
        PresentationCase{"playStrict",
                         {"play", "--strict", "Show", "--loop"},
                         request("Show", {}, true, 1, true)},
        PresentationCase{"fromTheLastShotThereIs",
                         {"play", "Show", "--from", "100"},
                         request("Show", {}, false, 100)}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadPresentationCase {
    const char* name;
    std::vector<std::string> words;
    std::string said; // a part of the one error line
};

void PrintTo(const BadPresentationCase& c, std::ostream* out) { *out << c.name; }

class RefusePresentationRequest : public ::testing::TestWithParam<BadPresentationCase> {};

TEST_P(RefusePresentationRequest, SaysWhatIsWrongInOneLine)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    EXPECT_THAT(parsed.error, HasSubstr(GetParam().said));
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusePresentationRequest,
    ::testing::Values(
        BadPresentationCase{"listTakesNoName", {"presentations", "Show"}, "\"Show\""},
        BadPresentationCase{"jsonWithExport", {"export", "Show", "--json"}, "--json goes with"},
        BadPresentationCase{"exportWithoutName", {"export"}, "needs the name of a presentation"},
        BadPresentationCase{"emptyName", {"play", ""}, "needs the name of a presentation"},
        BadPresentationCase{"twoNames", {"play", "Lobby", "loop"}, "also \"loop\""},
        BadPresentationCase{"outputWithoutFile", {"export", "Show", "--output"}, "a file name"},
        BadPresentationCase{"outputEmpty", {"export", "Show", "--output", ""}, "a file name"},
        BadPresentationCase{
            "outputTwice", {"export", "Show", "--output", "a", "--output", "b"}, "twice"},
        BadPresentationCase{"outputWithPlay", {"play", "Show", "--output", "a"}, "export only"},
        BadPresentationCase{"loopWithExport", {"export", "Show", "--loop"}, "play only"},
        BadPresentationCase{"strictWithExport", {"export", "Show", "--strict"}, "play only"},
        BadPresentationCase{"strictTwice", {"play", "Show", "--strict", "--strict"}, "twice"},
        BadPresentationCase{"fromWithExport", {"export", "Show", "--from", "2"}, "play only"},
        BadPresentationCase{"fromWithoutNumber", {"play", "Show", "--from"}, "a shot number"},
        BadPresentationCase{"fromZero", {"play", "Show", "--from", "0"}, "not \"0\""},
        BadPresentationCase{"fromBeyondAnyPresentation",
                            {"play", "Show", "--from", "101"},
                            "from 1 to 100, not \"101\""},
        BadPresentationCase{"fromJunk", {"play", "Show", "--from", "2x"}, "not \"2x\""},
        BadPresentationCase{"fromPlus", {"play", "Show", "--from", "+2"}, "not \"+2\""},
        BadPresentationCase{"fromTwice", {"play", "Show", "--from", "2", "--from", "3"}, "twice"},
        BadPresentationCase{
            "mistypedOption", {"play", "Show", "--lop"}, "unknown option \"--lop\""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::cli
