#include "tests/support/ScriptedLink.h"
#include "tests/support/TempDir.h"

#include "core/link/TracingLink.h"

#include <gmock/gmock.h>

#include <array>
#include <sstream>

namespace kivo::test {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

struct TraceLine {
    double ms;
    std::string rest;
};

std::vector<TraceLine> traceLines(const std::string& text)
{
    std::vector<TraceLine> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_THAT(line, MatchesRegex("[0-9]+\\.[0-9]{3} [<>] .*"));
        lines.push_back({std::stod(line), line.substr(line.find(' ') + 1)});
    }
    return lines;
}

class TracingLinkTest : public ::testing::Test {
protected:
    TempDir dir;
    TrafficTrace trace;
    std::unique_ptr<ScriptedLink> owned = std::make_unique<ScriptedLink>();
    ScriptedLink& scripted = *owned;
    TracingLink link{std::move(owned), trace};
    std::array<char, Link::maxReadSize> buffer{};
};

TEST_F(TracingLinkTest, EveryChunkBothWaysIsALineWithItsTimeAndDirection)
{
    std::string error;
    ASSERT_TRUE(trace.start(dir.file("trace.txt").string(), error)) << error;
    trace.portOpened();
    link.write("wsr 3\n");
    scripted.queue("3 0 0 720 480\r\n");
    scripted.queue({});
    scripted.queue("\x01\xff> ");
    for (int read = 0; read < 3; ++read)
        link.read(buffer);
    const auto lines = traceLines(dir.read("trace.txt"));
    ASSERT_EQ(lines.size(), 3u) << "an empty read is no traffic";
    EXPECT_EQ(lines[0].rest, "> wsr 3\\n");
    EXPECT_EQ(lines[1].rest, "< 3 0 0 720 480\\r\\n");
    EXPECT_EQ(lines[2].rest, "< \\x01\\xFF> ");
    EXPECT_LE(lines[0].ms, lines[1].ms);
    EXPECT_LE(lines[1].ms, lines[2].ms);
}

TEST_F(TracingLinkTest, NothingIsWrittenOnceStoppedOrWhereTheFileCannotBeMade)
{
    std::string error;
    EXPECT_FALSE(trace.start(dir.path().string(), error)) << "a directory is no trace file";
    EXPECT_THAT(error, HasSubstr(dir.path().string()));
    EXPECT_FALSE(trace.isOn());
    link.write("id\n");

    ASSERT_TRUE(trace.start(dir.file("trace.txt").string(), error));
    link.write("id\n");
    trace.stop();
    link.write("baud\n");
    EXPECT_EQ(traceLines(dir.read("trace.txt")).size(), 1u);
    EXPECT_THAT(scripted.writes, ElementsAre("id\n", "id\n", "baud\n"));
}

TEST_F(TracingLinkTest, ATraceThatCannotBeWrittenIsReportedOnceAndStops)
{
    std::vector<std::string> failures;
    trace.setFailureHandler([&failures](const std::string& why) { failures.push_back(why); });
    std::string error;
    ASSERT_TRUE(trace.start("/dev/full", error)) << "a full disk is found only on writing";
    link.write("id\n");
    link.write("baud\n");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_THAT(failures[0], AllOf(HasSubstr("/dev/full"), HasSubstr("No space left")));
    EXPECT_EQ(trace.failure(), failures[0]);
    EXPECT_FALSE(trace.isOn());
    EXPECT_THAT(scripted.writes, ElementsAre("id\n", "baud\n")) << "the device still gets all";
}

} // namespace
} // namespace kivo::test
