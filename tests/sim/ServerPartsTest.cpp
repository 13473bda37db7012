// The parts of quadrix-sim outside the device: options, the command log, fixed replies.
#include "sim/CommandLog.h"
#include "sim/FixedReplies.h"
#include "sim/ServerOptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kivo::sim::test {
namespace {

using ::testing::HasSubstr;

std::optional<ServerOptions> parse(const std::vector<const char*>& args, std::string& error)
{
    return ServerOptions::parse(std::span<const char* const>(args.data(), args.size()), error);
}

TEST(ServerOptionsTest, ReadsEveryOption)
{
    std::string error;
    const std::optional<ServerOptions> o = parse({"--pty",
                                                  "/tmp/q",
                                                  "--log",
                                                  "l.txt",
                                                  "--baud",
                                                  "9600",
                                                  "--latency",
                                                  "15",
                                                  "--page-lines=12",
                                                  "--windows",
                                                  "4",
                                                  "--silent-after",
                                                  "30",
                                                  "--replies",
                                                  "r.txt",
                                                  "--autosync-ms",
                                                  "-1",
                                                  "--factory-reply",
                                                  "banner",
                                                  "--misbehave",
                                                  "vanish",
                                                  "--misbehave-from",
                                                  "ck on"},
                                                 error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->ptyPath, "/tmp/q");
    EXPECT_EQ(o->logPath, "l.txt");
    EXPECT_EQ(o->baud, 9600);
    EXPECT_EQ(o->latencyMs, 15);
    EXPECT_EQ(o->pageLines, 12);
    EXPECT_EQ(o->windows, 4);
    EXPECT_EQ(o->silentAfter, 30);
    EXPECT_EQ(o->repliesPath, "r.txt");
    EXPECT_EQ(o->autosyncMs, -1);
    EXPECT_EQ(o->factoryReply, FactoryReply::banner);
    EXPECT_EQ(o->misbehaviour, Misbehaviour::vanish);
    EXPECT_EQ(o->misbehaveFrom, "ck on");
    EXPECT_EQ(o->tcpPort, 0);
}

TEST(ServerOptionsTest, FactoryReplyAsksWhenNotTold)
{
    std::string error;
    const std::optional<ServerOptions> o = parse({"--pty", "/tmp/q"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->factoryReply, FactoryReply::prompt);
}

TEST(ServerOptionsTest, HelpNeedsNothingElse)
{
    std::string error;
    const std::optional<ServerOptions> o = parse({"--help"}, error);
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->help);
}

struct BadOptions {
    const char* name;
    std::vector<const char*> args;
    const char* complaint;
};

class BadServerOptionsTest : public ::testing::TestWithParam<BadOptions> {};

TEST_P(BadServerOptionsTest, OneClearLine)
{
    std::string error;
    EXPECT_FALSE(parse(GetParam().args, error));
    EXPECT_THAT(error, HasSubstr(GetParam().complaint));
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadServerOptionsTest,
    ::testing::Values(
        BadOptions{"AutosyncBelowNever",
                   {"--pty", "/tmp/q", "--autosync-ms", "-2"},
                   "-1 (never locks) or 0 to 600000"},
        BadOptions{"NoEndpoint", {"--windows", "4"}, "exactly one of --pty PATH and --tcp PORT"},
        BadOptions{"BothEndpoints", {"--pty", "p", "--tcp", "5000"}, "exactly one"},
        BadOptions{"Unknown", {"--pty", "p", "--colour", "red"}, "unknown option --colour"},
        BadOptions{"MissingValue", {"--pty"}, "--pty needs a value"},
        BadOptions{"Stray", {"pty"}, "pty is not an option"},
        BadOptions{
            "OddWindows", {"--pty", "p", "--windows", "5"}, "--windows must be 2, 4, 6, 8 or 10"},
        BadOptions{"WindowsNotANumber", {"--pty", "p", "--windows", "ten"}, "--windows must be"},
        BadOptions{"Port", {"--tcp", "70000"}, "--tcp must be a port"},
        BadOptions{"Baud", {"--pty", "p", "--baud", "1000"}, "--baud must be"},
        BadOptions{"PageLines", {"--pty", "p", "--page-lines", "-1"}, "--page-lines must be"},
        BadOptions{"SilentAfter", {"--pty", "p", "--silent-after", "x"}, "--silent-after must be"},
        BadOptions{"EmptyPath", {"--pty", ""}, "--pty needs a non-empty value"},
        BadOptions{"FactoryReply",
                   {"--pty", "p", "--factory-reply", "Banner"},
                   "--factory-reply must be prompt, banner or none, not \"Banner\""},
        BadOptions{"Misbehave",
                   {"--pty", "p", "--misbehave", "noisy"},
                   "--misbehave must be silent, error, garbage, nan, huge, negative or vanish, "
                   "not \"noisy\""}),
    [](const auto& info) { return std::string(info.param.name); });

struct LatencyCase {
    const char* name;
    const char* value;
    // Nothing when the value is refused.
    std::optional<int> milliseconds;
};

class LatencyOptionTest : public ::testing::TestWithParam<LatencyCase> {};

TEST_P(LatencyOptionTest, TakesWholeMillisecondsUpToAMinute)
{
    std::string error;
    const std::optional<ServerOptions> o =
        parse({"--pty", "p", "--latency", GetParam().value}, error);
    if (GetParam().milliseconds) {
        ASSERT_TRUE(o) << error;
        EXPECT_EQ(o->latencyMs, *GetParam().milliseconds);
    } else {
        EXPECT_FALSE(o);
        EXPECT_EQ(error, "--latency must be a whole number of milliseconds from 0 to 60000");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, LatencyOptionTest,
    ::testing::Values(
        LatencyCase{"Zero", "0", 0}, LatencyCase{"Some", "250", 250},
        LatencyCase{"AMinute", "60000", 60000}, LatencyCase{"OverAMinute", "60001", std::nullopt},
        LatencyCase{"Negative", "-1", std::nullopt}, LatencyCase{"Fraction", "2.5", std::nullopt},
        LatencyCase{"WithUnit", "20ms", std::nullopt}, LatencyCase{"Empty", "", std::nullopt},
        LatencyCase{"Huge", "99999999999999999999", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LatencyOptionTest, DefaultsToNone)
{
    std::string error;
    const std::optional<ServerOptions> o = parse({"--pty", "p"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->latencyMs, 0);
}

struct LogCase {
    const char* name;
    std::string bytes;
    const char* line;
};

class CommandLogTest : public ::testing::TestWithParam<LogCase> {};

TEST_P(CommandLogTest, WritesBytesWithEscapes)
{
    EXPECT_EQ(CommandLog::entry(1532, GetParam().bytes), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Bytes, CommandLogTest,
                         ::testing::Values(LogCase{"Line", "wsr 3\n", "1532 wsr 3\\n"},
                                           LogCase{"CarriageReturn", "id\r\n", "1532 id\\r\\n"},
                                           LogCase{"Key", " ", "1532  "},
                                           LogCase{"Control", std::string("\x1b\x00", 2),
                                                   "1532 \\x1B\\x00"},
                                           LogCase{"HighBytes", "\x7f\xff", "1532 \\x7F\\xFF"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FixedRepliesTest, ParsesEscapesAndIgnoresBlankLines)
{
    std::string error;
    const std::optional<FixedReplies> r =
        FixedReplies::parse("id\tQ\\r\\n\\tx\\\\y\r\n\nhost \tError\n", error);
    ASSERT_TRUE(r) << error;
    ASSERT_NE(r->find("id"), nullptr);
    EXPECT_EQ(*r->find("id"), "Q\r\n\tx\\y");
    ASSERT_NE(r->find("host"), nullptr);
    EXPECT_EQ(*r->find("host"), "Error");
    EXPECT_EQ(r->find("baud"), nullptr);
}

struct BadRepliesCase {
    const char* name;
    const char* text;
    const char* complaint;
};

class BadFixedRepliesTest : public ::testing::TestWithParam<BadRepliesCase> {};

TEST_P(BadFixedRepliesTest, NamesTheLine)
{
    std::string error;
    EXPECT_FALSE(FixedReplies::parse(GetParam().text, error));
    EXPECT_THAT(error, HasSubstr(GetParam().complaint));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFixedRepliesTest,
    ::testing::Values(BadRepliesCase{"NoTab", "id\tok\nhost Error\n", "line 2: expected"},
                      BadRepliesCase{"NoCommand", "\tok\n", "line 1: expected"},
                      BadRepliesCase{"BadEscape", "id\t\\q\n", "line 1: a backslash"},
                      BadRepliesCase{"TrailingBackslash", "id\tok\\\n", "line 1: a backslash"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FixedRepliesTest, MissingFileIsReported)
{
    std::string error;
    EXPECT_FALSE(FixedReplies::load("/nonexistent/replies.txt", error));
    EXPECT_THAT(error, HasSubstr("/nonexistent/replies.txt"));
}

} // namespace
} // namespace kivo::sim::test
