#include "cli/CliArguments.h"
#include "cli/ConsoleReply.h"
#include "cli/JsonWriter.h"

#include <gtest/gtest.h>

#include <limits>

namespace kivo::cli {
namespace {

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> words;
    std::string action;
    std::vector<std::string> commands;
    bool json;
    bool fails;
};

class ParseArguments : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ParseArguments, ReadsTheActionAndItsCommandsOrRefuses)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    EXPECT_EQ(!parsed.error.empty(), GetParam().fails) << parsed.error;
    if (GetParam().fails)
        return;
    EXPECT_EQ(parsed.arguments.action, GetParam().action);
    EXPECT_EQ(parsed.arguments.commands, GetParam().commands);
    EXPECT_EQ(parsed.arguments.json, GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseArguments,
    ::testing::Values(
        ArgumentsCase{"send",
                      {"--port", "sim", "send", "wsr 3", "id"},
                      "send",
                      {"wsr 3", "id"},
                      false,
                      false},
        ArgumentsCase{
            "optionWordsAfterSendAreCommands", {"send", "--ini"}, "send", {"--ini"}, false, false},
        ArgumentsCase{"statusJson", {"status", "--json"}, "status", {}, true, false},
        ArgumentsCase{"sendRaw", {"send", "--raw", "id"}, "send", {"id"}, false, false},
        ArgumentsCase{"emptyCommand", {"send", "id", ""}, "", {}, false, true},
        ArgumentsCase{"blankCommand", {"send", "  "}, "", {}, false, true},
        ArgumentsCase{"ports", {"ports"}, "ports", {}, false, false},
        ArgumentsCase{"sendWithoutCommand", {"send"}, "", {}, false, true},
        ArgumentsCase{"noAction", {"--port", "sim"}, "", {}, false, true},
        ArgumentsCase{"portWithoutName", {"--port"}, "", {}, false, true},
        ArgumentsCase{"jsonWithoutStatus", {"--json", "status"}, "", {}, false, true},
        ArgumentsCase{"unknownAction", {"reboot"}, "", {}, false, true},
        ArgumentsCase{"statusTakesNoCommands", {"status", "id"}, "", {}, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A word the command line cannot use is named on one printable line: a terminal's control
// sequences and line feeds in it are written out, not played.
TEST(ParseArguments, NamesAnUnknownWordOnOnePrintableLine)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"\x1b[2J"}, "unknown argument \"\\x1B[2J\" (see --help)"},
        {{"status", "a\nb"}, "unknown argument \"a\\nb\" (see --help)"},
        {{"ports", "plain"}, "unknown argument \"plain\" (see --help)"}};
    for (const auto& [words, error] : cases)
        EXPECT_EQ(parseArguments(words).error, error);
}

TEST(ParseArguments, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(parseArguments({"send", "--help"}).arguments.options.help);
    EXPECT_TRUE(parseArguments({"--help", "bogus"}).arguments.options.help);
}

TEST(JsonWriter, EscapesWhatADeviceMaySend)
{
    JsonWriter json;
    json.beginObject();
    json.value("NAME", std::string_view("a\"b\\c\r\n\x01\xe9", 9));
    json.beginArray("rows");
    json.value({}, "x");
    json.value({}, 2);
    json.endArray();
    json.value("on", true);
    json.endObject();
    EXPECT_EQ(json.text(),
              R"({"NAME":"a\"b\\c\u000d\u000a\u0001\u00e9","rows":["x",2],"on":true})");
}

TEST(JsonWriter, WritesNumbersJsonHasNoWordForAsNull)
{
    JsonWriter json;
    json.beginObject();
    json.value("gamma", std::numeric_limits<double>::infinity());
    json.value("hue", std::numeric_limits<double>::quiet_NaN());
    json.value("contrast", 1.5);
    json.endObject();
    EXPECT_EQ(json.text(), R"({"gamma":null,"hue":null,"contrast":1.5})");
}

struct AnswerCase {
    const char* name;
    std::string reply;
    std::string command;
    std::string answer;
};

void PrintTo(const AnswerCase& c, std::ostream* out) { *out << c.name; }

class AnswerOnly : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerOnly, LeavesOutTheEchoAndThePrompt)
{
    EXPECT_EQ(answerOnly(GetParam().reply, GetParam().command), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnswerOnly,
    ::testing::Values(AnswerCase{"echoOn", "wsr 3\r\n3 0 0 720 480\r\n> ", "wsr 3",
                                 "3 0 0 720 480\n"},
                      AnswerCase{"echoOff", "3 0 0 720 480\r\n> ", "wsr 3", "3 0 0 720 480\n"},
                      AnswerCase{"promptAlone", "> ", "win 3 off", ""},
                      AnswerCase{"echoAndPromptAlone", "win 3 off\r\n> ", " win 3 off ", ""},
                      AnswerCase{"noPrompt", "Baud rate: 9600\r\n", "baud", "Baud rate: 9600\n"},
                      AnswerCase{"promptInsideALineStays", "a> b> ", "x", "a> b> "}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::cli
