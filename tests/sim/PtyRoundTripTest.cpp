// The simulated Quadrix over a real pseudo-terminal, served in process and by the program.
#include "sim/DeviceServer.h"
#include "sim/LineNoise.h"
#include "sim/PseudoTerminal.h"
#include "tests/sim/PromptReader.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kivo::sim::test {
namespace {

using namespace std::chrono_literals;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

// Sends like the panel: a purge of the receive queue, the line, then reads.
std::string exchange(int fd, const std::string& line)
{
    tcflush(fd, TCIFLUSH);
    EXPECT_EQ(write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    return readAnswer(fd);
}

// A raw client; at `speed` when given, else at whatever speed the terminal has.
int openClient(const std::filesystem::path& link, std::optional<speed_t> speed = std::nullopt)
{
    const int fd = open(link.c_str(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios t{};
        tcgetattr(fd, &t);
        cfmakeraw(&t);
        if (speed)
            cfsetspeed(&t, *speed);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

// What arrives up to the prompt, as it is or garbled for a client at another speed. Waiting
// for the prompt rather than for a quiet moment keeps a slow, loaded machine from cutting the
// answer short.
std::string readAnswerOrGarbage(int fd)
{
    const std::string garbledPrompt = garbled("> ");
    std::string text;
    std::array<char, 256> buffer{};
    pollfd p{fd, POLLIN, 0};
    while (!text.ends_with("> ") && !text.ends_with(garbledPrompt) && poll(&p, 1, 10'000) > 0) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n <= 0)
            break;
        text.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return text;
}

bool allGarbage(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

class PtyServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(pipe(stop.data()), 0);
        std::string error;
        pty = PseudoTerminal::open(link.string(), device.state().baud, error);
        ASSERT_TRUE(pty) << error;
        server = std::thread([this] {
            DeviceServer served(device, lineRate, latency);
            if (watchSpeed)
                served.watchLineSpeed([this] { return pty->clientSpeed(); });
            end = served.serve(pty->masterFd(), stop[0]);
        });
    }

    void TearDown() override
    {
        if (server.joinable()) {
            write(stop[1], "x", 1);
            server.join();
        }
        close(stop[0]);
        close(stop[1]);
    }

    kivo::test::TempDir dir;
    std::filesystem::path link = dir.file("quadrix");
    QuadrixDevice device;
    bool lineRate = false;
    bool watchSpeed = false;
    std::chrono::milliseconds latency{0};
    std::unique_ptr<PseudoTerminal> pty;
    std::array<int, 2> stop{-1, -1};
    std::thread server;
    DeviceServer::End end = DeviceServer::End::failed;
};

TEST_F(PtyServerTest, AnswersThroughTheLinkAfterAPurge)
{
    const int fd = openClient(link);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(exchange(fd, "echo off\n"), "echo off\r\n> ");
    EXPECT_EQ(exchange(fd, "wsr 3\n"), "3 0 0 720 480\r\n> ");
    close(fd);
}

TEST_F(PtyServerTest, StateSurvivesAnotherClient)
{
    int fd = openClient(link);
    ASSERT_GE(fd, 0);
    exchange(fd, "win 4 off\n");
    close(fd);
    fd = openClient(link);
    ASSERT_GE(fd, 0);
    EXPECT_THAT(exchange(fd, "win all\n"), HasSubstr("4 off"));
    close(fd);
}

TEST_F(PtyServerTest, StopsOnRequestAndRemovesTheLink)
{
    write(stop[1], "x", 1);
    server.join();
    EXPECT_EQ(end, DeviceServer::End::stopped);
    pty.reset();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

// The device's 9600 baud paces the line both ways, and it thinks before it answers.
class PacedPtyServerTest : public PtyServerTest {
protected:
    using Clock = std::chrono::steady_clock;

    PacedPtyServerTest()
    {
        lineRate = true;
        latency = 100ms;
        device.setCommandObserver([this](std::string_view) { ranAt = Clock::now(); });
    }

    std::atomic<Clock::time_point> ranAt;
};

// Only lower bounds are tight: a loaded machine may make the server late, never early.
TEST_F(PacedPtyServerTest, RunsAfterTheLineTimeAndAnswersAfterTheLatency)
{
    const int fd = openClient(link);
    ASSERT_GE(fd, 0);
    exchange(fd, "echo off\n");
    // Blanks around a command do not matter; they put its line feed 99 bytes, over 103 ms,
    // behind its first byte.
    const std::string line = "wsr 3" + std::string(94, ' ') + "\n";
    constexpr auto lineTime = 103ms;

    tcflush(fd, TCIFLUSH);
    const Clock::time_point sent = Clock::now();
    ASSERT_EQ(write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    pollfd p{fd, POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 10'000), 1) << "no answer";
    const Clock::time_point answered = Clock::now();
    EXPECT_EQ(readAnswer(fd), "3 0 0 720 480\r\n> ");
    close(fd);

    EXPECT_GE(ranAt.load() - sent, lineTime);
    EXPECT_GE(answered - sent, lineTime + latency);
    EXPECT_LT(answered - sent, 10s) << "sanity";
}

// A served terminal whose client's speed is watched, as quadrix-sim serves its --pty.
class LineSpeedTest : public PtyServerTest {
protected:
    LineSpeedTest() { watchSpeed = true; }

    // One line from a client at `speed`, and what came back.
    std::string sendAt(speed_t speed, const std::string& line)
    {
        const int fd = openClient(link, speed);
        EXPECT_GE(fd, 0);
        tcflush(fd, TCIFLUSH);
        EXPECT_EQ(write(fd, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        std::string answer = readAnswerOrGarbage(fd);
        close(fd);
        return answer;
    }
};

TEST_F(LineSpeedTest, ClientThatNeverSetsASpeedTalksAtTheFirstRate)
{
    EXPECT_EQ(pty->clientSpeed(), 9600);
    const int fd = openClient(link);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(exchange(fd, "wsr 3\n"), "wsr 3\r\n3 0 0 720 480\r\n> ");
    close(fd);
}

TEST_F(LineSpeedTest, ClientAtAnotherSpeedIsNotUnderstoodAndGetsGarbage)
{
    // The server judges the client's speed around each read, so bytes sent the moment the
    // client changed speed may still be read under the old one: an empty line goes first.
    sendAt(B19200, "\n");
    EXPECT_TRUE(allGarbage(sendAt(B19200, "win 4 off\n")));
    EXPECT_THAT(sendAt(B9600, "win all\n"), HasSubstr("4 on"));
}

TEST_F(LineSpeedTest, AfterBaudOnlyAClientAtTheNewRateIsUnderstood)
{
    EXPECT_EQ(sendAt(B9600, "echo off\n"), "echo off\r\n> ");
    // The prompt after "baud" already leaves at the new rate.
    EXPECT_TRUE(allGarbage(sendAt(B9600, "baud 19200\n")));
    EXPECT_TRUE(allGarbage(sendAt(B9600, "baud\n")));
    EXPECT_EQ(sendAt(B19200, "baud\n"), "Baud rate: 19200\r\n> ");
}

TEST(PseudoTerminalTest, RefusesToReplaceAFile)
{
    kivo::test::TempDir dir;
    dir.write("taken", "data");
    std::string error;
    EXPECT_FALSE(PseudoTerminal::open(dir.file("taken").string(), 9600, error));
    EXPECT_THAT(error, HasSubstr("is not a symbolic link"));
    EXPECT_EQ(dir.read("taken"), "data");
}

// The program itself: started with options, asked over its terminal, ended by a signal.
class ProgramTest : public ::testing::Test {
protected:
    int waitForLink() const
    {
        for (int i = 0; i < 200 && !std::filesystem::exists(link); ++i)
            usleep(10000);
        return openClient(link);
    }

    kivo::test::TempDir dir;
    std::filesystem::path link = dir.file("quadrix");
};

TEST_F(ProgramTest, BadOptionExitsWithTwo)
{
    using Program = kivo::test::ChildProcess;
    EXPECT_EQ(Program(QUADRIX_SIM_PATH, {"--pty", link.string(), "--windows", "3"}).waitFor(10'000),
              2);
    EXPECT_EQ(Program(QUADRIX_SIM_PATH,
                      {"--pty", link.string(), "--replies", dir.file("missing").string()})
                  .waitFor(10'000),
              2);
}

// The terminal cannot be hung up on, so answers nobody reads are thrown away once they pass
// the bound, and the program goes on serving.
TEST_F(ProgramTest, ThrowsAwayAnswersNobodyReadsAndServesOn)
{
    kivo::test::ChildProcess program(QUADRIX_SIM_PATH, {"--pty", link.string()}, "/dev/null",
                                     dir.file("err").string());
    const int fd = waitForLink();
    ASSERT_GE(fd, 0);
    // About 7 MB of answers, none of them read.
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "id\n";
    std::size_t sent = 0;
    pollfd out{fd, POLLOUT, 0};
    while (sent < lines.size() && poll(&out, 1, 5000) == 1) {
        const ssize_t n =
            write(fd, lines.data() + sent, std::min<std::size_t>(4096, lines.size() - sent));
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    EXPECT_EQ(sent, lines.size());
    // Takes what is left of the flood's answers until the line has been quiet a while.
    std::array<char, 4096> buffer{};
    pollfd in{fd, POLLIN, 0};
    for (int reads = 0; reads < 10000 && poll(&in, 1, 500) == 1; ++reads) {
        if (read(fd, buffer.data(), buffer.size()) <= 0)
            break;
    }
    EXPECT_EQ(exchange(fd, "echo off\n"), "echo off\r\n> ");
    close(fd);
    EXPECT_EQ(program.stop(), 0);
    EXPECT_THAT(dir.read("err"),
                HasSubstr("quadrix-sim: dropped the unread answers on the terminal"));
}

struct BadReplies {
    const char* name;
    // Makes the path to give to --replies in dir.
    std::string (*place)(const kivo::test::TempDir& dir);
    const char* complaint;
};

class BadRepliesPathTest : public ProgramTest, public ::testing::WithParamInterface<BadReplies> {};

TEST_P(BadRepliesPathTest, RefusesWithOneLineAndStatusTwo)
{
    const std::string path = GetParam().place(dir);
    if (std::string_view(GetParam().name) == "NotAllowed" && geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    const kivo::test::ProgramRun run =
        kivo::test::runProgram(QUADRIX_SIM_PATH, {"--pty", link.string(), "--replies", path}, 5000);
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, ::testing::StartsWith("quadrix-sim: cannot read " + path + ": "));
    EXPECT_THAT(run.err, HasSubstr(GetParam().complaint));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)))
        << "served without its replies";
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BadRepliesPathTest,
    ::testing::Values(BadReplies{"Missing",
                                 [](const auto& d) { return d.file("missing").string(); },
                                 "No such file"},
                      BadReplies{"Directory",
                                 [](const auto& d) {
                                     std::filesystem::create_directory(d.file("replies"));
                                     return d.file("replies").string();
                                 },
                                 "Is a directory"},
                      BadReplies{"UnderAFile",
                                 [](const auto& d) {
                                     d.write("plain", "id\tok\n");
                                     return (d.file("plain") / "replies").string();
                                 },
                                 "Not a directory"},
                      BadReplies{"NotAllowed",
                                 [](const auto& d) {
                                     d.write("secret", "id\tok\n");
                                     std::filesystem::permissions(d.file("secret"),
                                                                  std::filesystem::perms::none);
                                     return d.file("secret").string();
                                 },
                                 "Permission denied"},
                      BadReplies{"Endless", [](const auto&) { return std::string("/dev/zero"); },
                                 "larger than 1 MiB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramTest, ServesLogsAndCleansUpOnSigterm)
{
    kivo::test::ChildProcess program(
        QUADRIX_SIM_PATH, {"--pty", link.string(), "--log", dir.file("log").string(), "--windows",
                           "4", "--silent-after", "3", "--baud", "115200", "--latency", "100"});
    const int fd = waitForLink();
    ASSERT_GE(fd, 0);
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ(exchange(fd, "echo off\n"), "echo off\r\n> ");
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(100));
    EXPECT_THAT(exchange(fd, "id\r\n"), AllOf(HasSubstr("Win 4"), Not(HasSubstr("Win 5"))));
    const std::string adjusting = exchange(fd, "hi\n");
    EXPECT_THAT(adjusting, HasSubstr("Adjusting output"));
    EXPECT_THAT(adjusting, Not(EndsWith("> ")));
    EXPECT_EQ(exchange(fd, "q"), "") << "silent after the third command";
    close(fd);
    EXPECT_EQ(program.stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));

    const std::string log = dir.read("log");
    EXPECT_THAT(log, ::testing::MatchesRegex(
                         "[0-9]+ echo off\\\\n\n[0-9]+ id\\\\r\\\\n\n[0-9]+ hi\\\\n\n[0-9]+ q\n"));
}

} // namespace
} // namespace kivo::sim::test
