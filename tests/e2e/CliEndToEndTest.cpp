#include "tests/e2e/SimulatedQuadrix.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/StartUpQueries.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <optional>
#include <sstream>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo::test {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

int freeTcpPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// A pseudo-terminal with nothing behind it: what is written to it is never read.
class PseudoTerminalPair {
public:
    PseudoTerminalPair() : master_(::posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = ::ptsname(master_);
    }
    ~PseudoTerminalPair()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    const std::string& slave() const { return slave_; }

private:
    int master_;
    std::string slave_;
};

// kivo-cli against quadrix-sim run as its own program, as an operator would use them.
class CliEndToEnd : public ::testing::Test {
protected:
    // Starts the simulated Quadrix on a pseudo-terminal; returns the port name to use.
    std::string startOnPty(std::vector<std::string> options = {})
    {
        const std::string link = dir.file("quadrix").string();
        sim = startSimOnPty(link, log(), std::move(options));
        return link;
    }

    std::string startOnTcp(std::vector<std::string> options = {})
    {
        const std::string port = std::to_string(freeTcpPort());
        options.insert(options.end(), {"--tcp", port, "--log", log()});
        sim = std::make_unique<ChildProcess>(QUADRIX_SIM_PATH, options);
        for (int i = 0; i < 500 && !std::filesystem::exists(log()); ++i)
            ::usleep(10'000);
        ::usleep(100'000);
        return "tcp:127.0.0.1:" + port;
    }

    ProgramRun cli(const std::string& port, std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--ini", ini(), "--port", port});
        return runProgram(KIVO_CLI_PATH, args);
    }

    // Stops the simulated Quadrix once it has carried out what the panel sent last (it may
    // do so after the panel has gone).
    void stopSimAfter(const std::string& lastCommand)
    {
        for (int i = 0; i < 500 && (commands().empty() || commands().back() != lastCommand); ++i)
            ::usleep(10'000);
        sim->stop();
    }

    // Starts the simulated Quadrix on a pseudo-terminal at `baud` with a serial-to-Ethernet
    // converter (ser2net, raw TCP) in front of it; returns the port name to use, or nothing
    // when ser2net is not installed.
    std::optional<std::string> startBehindConverter(int baud)
    {
        const std::string ser2net = "/usr/sbin/ser2net";
        if (!std::filesystem::exists(ser2net))
            return std::nullopt;
        const std::string device = startOnPty({"--baud", std::to_string(baud)});
        const int port = freeTcpPort();
        dir.write("ser2net.yaml", "connection: &quadrix\n  accepter: tcp,127.0.0.1," +
                                      std::to_string(port) + "\n  connector: serialdev," + device +
                                      "," + std::to_string(baud) + "n81,local\n");
        converter = std::make_unique<ChildProcess>(
            ser2net, std::vector<std::string>{"-n", "-c", dir.file("ser2net.yaml").string()});
        for (int i = 0; i < 500 && !accepts(port); ++i)
            ::usleep(10'000);
        return "tcp:127.0.0.1:" + std::to_string(port);
    }

    static bool accepts(int port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        const bool connected =
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        return connected;
    }

    std::string log() const { return dir.file("quadrix.log").string(); }
    std::string ini() const { return dir.file("Kivo.ini").string(); }
    std::vector<std::string> commands() const { return loggedCommands(dir.read("quadrix.log")); }

    TempDir dir;
    std::unique_ptr<ChildProcess> sim;
    std::unique_ptr<ChildProcess> converter;
};

TEST_F(CliEndToEnd, CommandGoesOutAsItsBytesAndOneLineFeedOverAPseudoTerminal)
{
    const ProgramRun run = cli(startOnPty(), {"send", "wsr 3"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("3 0 0 720 480"));
    stopSimAfter("echo on\\n");
    EXPECT_THAT(commands(), ::testing::ElementsAre("wsr 3\\n", "echo on\\n"));
}

TEST_F(CliEndToEnd, CommandGoesOutAsItsBytesAndOneLineFeedOverTcp)
{
    const ProgramRun run = cli(startOnTcp(), {"send", "wsr 3"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("3 0 0 720 480"));
    stopSimAfter("echo on\\n");
    EXPECT_THAT(commands(), ::testing::ElementsAre("wsr 3\\n", "echo on\\n"));
}

TEST_F(CliEndToEnd, TraceShowsTheCommandGoingOutAndTheReplyComingIn)
{
    const std::string trace = dir.file("trace.txt").string();
    const ProgramRun run = cli(startOnPty(), {"--trace", trace, "send", "wsr 3"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream lines(dir.read("trace.txt"));
    std::vector<std::string> traffic;
    double last = -1;
    for (std::string line; std::getline(lines, line);) {
        const double ms = std::stod(line);
        EXPECT_GE(ms, last) << line;
        last = ms;
        traffic.push_back(line.substr(line.find(' ') + 1));
    }
    ASSERT_GE(traffic.size(), 3u);
    EXPECT_EQ(traffic.front(), "> wsr 3\\n");
    EXPECT_THAT(traffic[1], AllOf(::testing::StartsWith("< "), HasSubstr("3 0 0 720 480")));
    EXPECT_EQ(traffic.back(), "> echo on\\n");
}

TEST_F(CliEndToEnd, SendPrintsEveryAnswerAndFailsOnARefusal)
{
    const ProgramRun run = cli(startOnPty(), {"send", "wsr 99", "wsr 3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, AllOf(HasSubstr("Error"), HasSubstr("3 0 0 720 480\n")));
    EXPECT_THAT(run.out, AllOf(Not(HasSubstr("wsr 3")), Not(HasSubstr("> "))))
        << "neither the echo nor the prompt";
    const ProgramRun raw = cli(dir.file("quadrix").string(), {"send", "--raw", "wsr 3"});
    EXPECT_EQ(raw.status, 0) << raw.err;
    EXPECT_THAT(raw.out, HasSubstr("3 0 0 720 480\n> "));
}

// A device that reports sizes no device has: a negative output width, a window edge at the
// far end of 32 bits, an infinite gamma.
TEST_F(CliEndToEnd, HostileNumbersEndStatusInOrderNeverWithASignal)
{
    const std::string header =
        "                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL\\r\\n";
    const std::string gamma = "gamma 1\tWindow 1 gamma: 1e999\\r\\n\n";
    dir.write("replies.txt",
              "host\tOutput mode: free-run\\r\\n" + header +
                  "Output timing:         24  136 160 -1   3   6  29  768  48363 3 0 0 0\\r\\n\n"
                  "wdr 1\t1 -2147483648 0 100 100\\r\\n\n" +
                  gamma);
    const ProgramRun refused =
        cli(startOnPty({"--replies", dir.file("replies.txt").string()}), {"status", "--json"});
    EXPECT_EQ(refused.status, 1) << refused.err;
    EXPECT_THAT(refused.err, HasSubstr("\"host\""))
        << "the refused timing is not reported as the device's";
    EXPECT_EQ(refused.out, "");
    sim->stop();

    dir.write("replies.txt", gamma);
    const ProgramRun run =
        cli(startOnPty({"--replies", dir.file("replies.txt").string()}), {"status", "--json"});
    EXPECT_TRUE(run.status == 0 || run.status == 1) << run.status << run.err;
    EXPECT_TRUE(run.out.starts_with("{") && run.out.ends_with("}\n")) << run.out;
    EXPECT_THAT(run.out, AllOf(Not(HasSubstr("inf")), Not(HasSubstr("nan"))));
}

// A converter hands the line on in packets with pauses between them: status reads the
// device's own values through it, just as the simulated Quadrix in process gives them.
class BehindConverter : public CliEndToEnd, public ::testing::WithParamInterface<int> {};

TEST_P(BehindConverter, StatusReadsTheDevicesTrueValues)
{
    const std::optional<std::string> port = startBehindConverter(GetParam());
    if (!port)
        GTEST_SKIP() << "ser2net is not installed (scripts/install-deps installs it)";
    const ProgramRun run = cli(*port, {"status", "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    converter->stop();
    std::string expected = cli("sim", {"status", "--json"}).out;
    const std::string simBaud = "\"deviceBaud\":9600";
    expected.replace(expected.find(simBaud), simBaud.size(),
                     "\"deviceBaud\":" + std::to_string(GetParam()));
    EXPECT_EQ(run.out, expected);
    EXPECT_THAT(run.out, HasSubstr("\"HACT\":1024,\"HFP\":24,"));
}

INSTANTIATE_TEST_SUITE_P(Rates, BehindConverter, ::testing::Values(9600, 115200),
                         [](const auto& info) { return std::to_string(info.param); });

TEST_F(CliEndToEnd, StartUpAnswerThatCannotBeReadFailsStatusNamingTheQuery)
{
    dir.write("replies.txt", "host\tError: busy\\r\\n\n");
    const ProgramRun run =
        cli(startOnPty({"--replies", dir.file("replies.txt").string()}), {"status", "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("answer to \"host\" could not be read"));
    EXPECT_EQ(run.out, "") << "start values are not reported as the device's";
}

TEST_F(CliEndToEnd, DeviceThatPagesForEverEndsTheRunSayingSo)
{
    const ProgramRun run =
        cli(startOnPty({"--endless-paging", "0"}), {"place", "3", "0", "0", "320", "240"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("kept paging"));
    EXPECT_THAT(run.err, Not(HasSubstr("baud")));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST_F(CliEndToEnd, PagedListingIsPrintedWholeWithOneBareLineFeedPerPage)
{
    const ProgramRun paged = cli(startOnPty({"--page-lines", "5"}), {"send", "help"});
    stopSimAfter("echo on\\n");
    const std::vector<std::string> sent = commands();
    const std::string whole = cli("sim", {"send", "help"}).out;

    EXPECT_EQ(paged.status, 0) << paged.err;
    EXPECT_THAT(paged.out, Not(HasSubstr("MORE")));
    EXPECT_EQ(paged.out, whole);
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent.front(), "help\\n");
    EXPECT_EQ(sent.back(), "echo on\\n");
    const auto continuations = std::count(sent.begin(), sent.end(), "\\n");
    EXPECT_EQ(static_cast<std::size_t>(continuations), sent.size() - 2);
    // Every page but the last holds five lines.
    const auto lines = std::count(whole.begin(), whole.end(), '\n');
    EXPECT_EQ(continuations, (lines - 1) / 5);
}

TEST_F(CliEndToEnd, PortThatCannotBeOpenedSaysWhyAndLeavesTheIniAlone)
{
    dir.write("Kivo.ini", "[SERIALPORT]\nbaudrate=19200\n");
    const ProgramRun run = cli(dir.file("no-such-port").string(), {"send", "id"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, AllOf(HasSubstr("no such device"), HasSubstr("no-such-port")));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_EQ(dir.read("Kivo.ini"), "[SERIALPORT]\nbaudrate=19200\n");
}

struct BadPortCase {
    const char* name;
    std::string port; // "FIFO" stands for a named pipe made in the test folder
    const char* said;
};

void PrintTo(const BadPortCase& c, std::ostream* out) { *out << c.name; }

class BadPort : public CliEndToEnd, public ::testing::WithParamInterface<BadPortCase> {};

TEST_P(BadPort, IsRefusedWithItsReasonAndStatusTwo)
{
    std::string port = GetParam().port;
    if (port == "FIFO") {
        port = dir.file("pipe").string();
        ASSERT_EQ(::mkfifo(port.c_str(), 0600), 0);
    }
    const ProgramRun run = cli(port, {"send", "id"});
    EXPECT_EQ(run.status, 2);
    EXPECT_THAT(run.err, AllOf(HasSubstr(GetParam().said), HasSubstr(port)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadPort,
    ::testing::Values(BadPortCase{"null", "/dev/null", "not a serial port"},
                      BadPortCase{"zero", "/dev/zero", "not a serial port"},
                      BadPortCase{"pipe", "FIFO", "not a serial port"},
                      BadPortCase{"tcpPortTooHigh", "tcp:127.0.0.1:99999", "1 to 65535"},
                      BadPortCase{"tcpPortNotANumber", "tcp:127.0.0.1:http", "1 to 65535"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliEndToEnd, BadArgumentsExitWithTwo)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"send"}, {"frobnicate"}, {"--port"}, {"ports", "extra"}}) {
        const ProgramRun run = runProgram(KIVO_CLI_PATH, args);
        EXPECT_EQ(run.status, 2) << args.front();
        EXPECT_THAT(run.err, HasSubstr("kivo-cli: "));
    }
    EXPECT_EQ(runProgram(KIVO_CLI_PATH, {"--help"}).status, 0);
}

TEST_F(CliEndToEnd, StatusReportsTheMirrorAsJson)
{
    const ProgramRun run = cli("sim", {"status", "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, AllOf(HasSubstr("\"windowCount\":10"), HasSubstr("\"HACT\":1024"),
                               HasSubstr("\"sourceRect\":{"), HasSubstr("\"inputType\":\"rgb\""),
                               HasSubstr("\"outputList\":[{\"number\":1,\"NAME\":\"Lobby wall\"")));
    EXPECT_EQ(run.err, "") << "no progress when stderr is not a terminal";
}

TEST_F(CliEndToEnd, StatusAsksExactlyTheStartUpQueries)
{
    const ProgramRun run = cli(startOnPty(), {"status"});
    EXPECT_EQ(run.status, 0) << run.err;
    stopSimAfter("echo on\\n");
    std::vector<std::string> asked;
    for (const std::string& command : commands())
        if (command != "\\n") // continuations of paged lists
            asked.push_back(command);
    std::vector<std::string> expected;
    for (std::string query : startUpQueries({2, 5, 8, 10})) {
        query.back() = '\\';
        expected.push_back(query + "n");
    }
    expected.push_back("echo on\\n");
    EXPECT_THAT(asked, ::testing::ElementsAreArray(expected));
}

TEST_F(CliEndToEnd, IniThatIsAFolderStopsTheRunBeforeAnyPortOpens)
{
    std::filesystem::create_directory(dir.file("settings"));
    for (const std::vector<std::string>& action :
         {std::vector<std::string>{"status"}, {"send", "id"}, {"ports"}}) {
        std::vector<std::string> args = {"--ini", dir.file("settings").string(), "--port",
                                         dir.file("no-such-port").string()};
        args.insert(args.end(), action.begin(), action.end());
        const ProgramRun run = runProgram(KIVO_CLI_PATH, args);
        EXPECT_EQ(run.status, 2) << action.front();
        EXPECT_THAT(run.err, AllOf(::testing::StartsWith("kivo-cli: "),
                                   HasSubstr(dir.file("settings").string()),
                                   Not(HasSubstr("no-such-port"))));
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// An ini file that cannot be read would leave a run at the wrong rate and lose what it stores:
// every action stops with one line and status 2 before a port is opened, the file untouched.
TEST_F(CliEndToEnd, UnreadableIniStopsEveryActionBeforeAnyPortOpens)
{
    const std::string broken = std::string("[SERIALPORT]\nbaud") + '\0' + "rate=9600\n";
    dir.write("broken.ini", broken);
    ASSERT_EQ(::mkfifo(dir.file("fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_symlink("loop.ini", dir.file("loop.ini"));
    dir.write("huge.ini", "[SERIALPORT]\n");
    std::filesystem::resize_file(dir.file("huge.ini"), 5 * 1024 * 1024);
    const std::string port = dir.file("no-such-port").string();
    for (const std::string& ini :
         {dir.file("broken.ini").string(), dir.file("fifo.ini").string(), std::string("/dev/null"),
          dir.file("loop.ini").string(), dir.file("huge.ini").string()}) {
        for (const std::vector<std::string>& action : {std::vector<std::string>{"status"},
                                                       {"send", "id"},
                                                       {"arrange", "grid"},
                                                       {"output", "recall", "1"},
                                                       {"baud", "9600"},
                                                       {"presentations"},
                                                       {"play", "show"}}) {
            std::vector<std::string> args = {"--ini", ini, "--port", port};
            args.insert(args.end(), action.begin(), action.end());
            const ProgramRun run = runProgram(KIVO_CLI_PATH, args, 10000);
            EXPECT_EQ(run.status, 2) << ini << ' ' << action.front() << ": " << run.err;
            EXPECT_THAT(run.err, AllOf(::testing::StartsWith("kivo-cli: Cannot read " + ini),
                                       Not(HasSubstr("no-such-port"))));
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_EQ(run.out, "");
        }
    }
    EXPECT_EQ(dir.read("broken.ini"), broken);
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo.ini")));
}

TEST_F(CliEndToEnd, TraceThatCannotBeWrittenIsReportedOnceAndTheRunFails)
{
    const ProgramRun run = cli("sim", {"--trace", "/dev/full", "send", "wsr 3"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.out, HasSubstr("3 0 0 720 480"));
    EXPECT_THAT(run.err,
                ::testing::StartsWith("kivo-cli: cannot write the traffic trace /dev/full"));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST_F(CliEndToEnd, SimulatedQuadrixWithoutIniUsesItsOwnFile)
{
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    const ProgramRun run = runProgram(KIVO_CLI_PATH, {"--port", "sim", "status"});
    if (saved)
        ::setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("Kivo/Kivo-sim.ini")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Kivo/Kivo.ini")));
}

// The destination rectangle that `status --json` reports for window `number`.
std::string reportedDestination(const std::string& json, int number)
{
    const std::size_t window = json.find("{\"window\":" + std::to_string(number) + ",");
    const std::size_t rect = json.find("\"destRect\":", window);
    if (window == std::string::npos || rect == std::string::npos)
        return "no window " + std::to_string(number);
    return json.substr(rect, json.find('}', rect) + 1 - rect);
}

std::string destRectJson(int left, int top, int right, int bottom)
{
    return "\"destRect\":{\"left\":" + std::to_string(left) + ",\"top\":" + std::to_string(top) +
           ",\"right\":" + std::to_string(right) + ",\"bottom\":" + std::to_string(bottom) + "}";
}

TEST_F(CliEndToEnd, ArrangeSendsTheGridInStackingOrderAndStatusReadsItBack)
{
    const std::string port = startOnPty();
    ASSERT_EQ(cli(port, {"send", "priority 4 1"}).status, 0);
    const ProgramRun arranged = cli(port, {"arrange", "grid"});
    const ProgramRun status = cli(port, {"status", "--json"});
    stopSimAfter("echo on\\n");
    ASSERT_EQ(arranged.status, 0) << arranged.err;
    ASSERT_EQ(status.status, 0) << status.err;

    // Ten windows on the simulated 1024 x 768 output: four columns of 256 x 192, front first.
    struct Cell {
        int window;
        int left;
        int top;
    };
    const std::vector<Cell> stack{{4, 0, 0},   {1, 256, 0},   {2, 512, 0},   {3, 768, 0},
                                  {5, 0, 192}, {6, 256, 192}, {7, 512, 192}, {8, 768, 192},
                                  {9, 0, 384}, {10, 256, 384}};
    std::vector<std::string> layout{"win all off off off off off off off off off off\\n"};
    std::vector<std::string> printed(10);
    for (const Cell& c : stack) {
        const std::string rect = std::to_string(c.left) + " " + std::to_string(c.top) + " 256 192";
        layout.push_back("wdr " + std::to_string(c.window) + " " + rect + "\\n");
        printed[static_cast<std::size_t>(c.window - 1)] =
            "window " + std::to_string(c.window) + ": " + rect + "\n";
        EXPECT_EQ(reportedDestination(status.out, c.window),
                  destRectJson(c.left, c.top, c.left + 256, c.top + 192));
    }
    layout.push_back("win all on on on on on on on on on on\\n");

    const std::vector<std::string> sent = commands();
    const auto first = std::find(sent.begin(), sent.end(), layout.front());
    ASSERT_NE(first, sent.end());
    EXPECT_EQ(std::vector<std::string>(first, first + std::min<long>(sent.end() - first, 12)),
              layout);
    std::string lines;
    for (const std::string& line : printed)
        lines += line;
    EXPECT_EQ(arranged.out, lines);
}

TEST_F(CliEndToEnd, PlaceSendsItsRectangleExactlyAndStatusReadsItBack)
{
    const std::string port = startOnPty();
    const ProgramRun placed = cli(port, {"place", "3", "-10", "20", "300", "200"});
    const ProgramRun status = cli(port, {"status", "--json"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(placed.status, 0) << placed.err;
    EXPECT_THAT(placed.out, HasSubstr("\nwindow 3: -10 20 300 200\n"));
    EXPECT_EQ(reportedDestination(status.out, 3), destRectJson(-10, 20, 290, 220));
    const std::vector<std::string> sent = commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "wdr 3 -10 20 300 200\\n"), 1);
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& c) { return c.starts_with("priority 3 "); }),
              0)
        << "only the rectangle goes out";
}

TEST_F(CliEndToEnd, OutputSaveStoresTheSettingOnTheQuadrixAndInTheIniFile)
{
    const std::string port = startOnPty();
    const ProgramRun saved = cli(port, {"output", "save", "3", "STUDIO"});
    const ProgramRun status = cli(port, {"status", "--json"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.err, "") << "the command line answered the overwrite question";
    EXPECT_THAT(status.out, HasSubstr("{\"number\":3,\"NAME\":\"STUDIO\""));
    const std::vector<std::string> sent = commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "host name \"STUDIO\"\\n"), 1);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "host save 3\\n"), 1);
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("3=STUDIO "));
}

// A refused change leaves the ini file's copy of the list as the Quadrix has it.
TEST_F(CliEndToEnd, OutputSaveAndDeleteThatTheQuadrixRefusesExitWithOne)
{
    dir.write("replies.txt", "host save 3\tError: busy\\r\\n\nhdel 1\tError: busy\\r\\n\n");
    const std::string port = startOnPty({"--replies", dir.file("replies.txt").string()});
    const ProgramRun saved = cli(port, {"output", "save", "3", "STUDIO"});
    const ProgramRun deleted = cli(port, {"output", "delete", "1"});
    sim->stop();
    EXPECT_EQ(saved.status, 1);
    EXPECT_EQ(saved.err, "kivo-cli: The Quadrix did not store output setting 3 as \"STUDIO\".\n");
    EXPECT_EQ(deleted.status, 1);
    EXPECT_EQ(deleted.err, "kivo-cli: The Quadrix did not delete output setting 1.\n");
    EXPECT_THAT(saved.out + deleted.out, IsEmpty());
    const std::string ini = dir.read("Kivo.ini");
    EXPECT_THAT(ini, Not(HasSubstr("STUDIO")));
    EXPECT_THAT(ini, HasSubstr("\n1=Lobby wall "));
}

// The Quadrix takes the change and falls silent before its list is read back: one line says
// that whether it holds the change is not known.
TEST_F(CliEndToEnd, OutputSaveAndDeleteWhoseListCannotBeReadBackFailWithOneLine)
{
    for (const auto& [action, change] : {std::pair<std::vector<std::string>, std::string>{
                                             {"output", "save", "3", "STUDIO"}, "host save 3\\n"},
                                         {{"output", "delete", "1"}, "hdel 1\\n"}}) {
        SCOPED_TRACE(change);
        const ProgramRun normal = cli(startOnPty(), action);
        stopSimAfter("echo on\\n");
        ASSERT_EQ(normal.status, 0) << normal.err;
        const std::vector<std::string> sent = commands();
        const auto changed = std::find(sent.begin(), sent.end(), change);
        ASSERT_NE(changed, sent.end());
        const std::string silentAfter = std::to_string(changed - sent.begin() + 1);
        std::filesystem::remove(log());

        const ProgramRun run = cli(startOnPty({"--silent-after", silentAfter}), action);
        sim->stop();
        std::filesystem::remove(log());
        const std::string setting = "output setting " + action[2];
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "kivo-cli: the Quadrix's output settings could not be read back, so "
                           "whether it changed " +
                               setting + " is not known\n");
    }
}

// A setting that the ini file holds but the Quadrix does not, as an older run may have left
// it, goes at the next reading of the list.
TEST_F(CliEndToEnd, AnOutputSettingTheQuadrixDoesNotHoldLeavesTheIniFile)
{
    dir.write("Kivo.ini", "[OUTPUTLIST]\n3=STUDIO            16  96  48  640  10  2  33  480  "
                          "31469 3  0  0  0\n");
    const std::string port = startOnPty();
    const ProgramRun status = cli(port, {"status"});
    sim->stop();
    EXPECT_EQ(status.status, 0) << status.err;
    EXPECT_THAT(dir.read("Kivo.ini"), Not(HasSubstr("STUDIO")));
}

// The simulated reference is found half a second after "host auto", or never.
TEST_F(CliEndToEnd, OutputModeAutoWaitsForTheLockOrGoesBackToFreeRun)
{
    const std::string found = startOnPty({"--autosync-ms", "500"});
    const ProgramRun locked = cli(found, {"output", "mode", "auto"});
    sim->stop();
    EXPECT_EQ(locked.status, 0) << locked.err;
    EXPECT_THAT(locked.out, HasSubstr("autosync: Current Output Timing"));

    const std::string never = startOnPty({"--autosync-ms", "-1"});
    const ProgramRun unlocked = cli(never, {"output", "mode", "auto"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(unlocked.status, 1);
    EXPECT_THAT(unlocked.err, HasSubstr("could not find a reference signal"));
    EXPECT_THAT(unlocked.out, IsEmpty());
    const std::vector<std::string> sent = commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "host free\\n"), 1);
}

TEST_F(CliEndToEnd, InputRecallWithLevelsSendsTheSettingThenItsLevels)
{
    const std::string port = startOnPty();
    const ProgramRun recalled = cli(port, {"input", "recall", "2", "1", "--with-levels"});
    const ProgramRun video = cli(port, {"input", "recall", "3", "1"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(recalled.status, 0) << recalled.err;
    EXPECT_THAT(recalled.out, HasSubstr("Window  2  Timing     24  136 160 1024"));
    EXPECT_EQ(video.status, 2);
    EXPECT_THAT(video.err, HasSubstr("window 3 takes video"));
    const std::vector<std::string> sent = commands();
    const auto recall = std::find(sent.begin(), sent.end(), "rgbload 2  1\\n");
    ASSERT_NE(recall, sent.end());
    EXPECT_EQ(std::vector<std::string>(recall + 1, recall + 5),
              (std::vector<std::string>{"rgb 2\\n", "bright 2 0\\n", "contrast 2 100\\n",
                                        "gamma 2 1.0\\n"}));
}

TEST_F(CliEndToEnd, ChromaKeyPresetAndModeGoOutAsTheDialogSendsThem)
{
    const std::string port = startOnPty();
    const ProgramRun preset = cli(port, {"chromakey", "cyan"});
    const ProgramRun mode = cli(port, {"chromakey", "on"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(preset.status, 0) << preset.err;
    EXPECT_EQ(mode.out, "chroma key, limits (mV): -270 175 522 1250 522 1250\n");
    const std::vector<std::string> sent = commands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ckc -270 175 522 1250 522 1250\\n"), 1);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "ck on\\n"), 1);
}

// The commands of the log from the first one equal to `first` on, as many as `count`.
std::vector<std::string> commandsFrom(const std::vector<std::string>& sent,
                                      const std::string& first, std::size_t count)
{
    const auto start = std::find(sent.begin(), sent.end(), first);
    const auto end = start + static_cast<long>(std::min<std::size_t>(count, sent.end() - start));
    return {start, end};
}

TEST_F(CliEndToEnd, SourceAndLevelGoOutAsTheImageControlsSendThemAndAreReadBack)
{
    const std::string port = startOnPty();
    const ProgramRun source = cli(port, {"source", "3", "10", "20", "320", "240"});
    const ProgramRun level = cli(port, {"level", "3", "gamma", "1.5"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(source.status, 0) << source.err;
    EXPECT_EQ(source.out, "window 3 source: 10 20 320 240\n");
    EXPECT_EQ(level.status, 0) << level.err;
    EXPECT_EQ(level.out, "window 3 gamma: 1.5\n");
    const std::vector<std::string> sent = commands();
    // The page's own read-back, then the one that tells whether the answer held a rectangle.
    EXPECT_THAT(commandsFrom(sent, "wsr 3 10 20 320 240\\n", 3),
                ::testing::ElementsAre("wsr 3 10 20 320 240\\n", "wsr 3\\n", "wsr 3\\n"));
    EXPECT_THAT(commandsFrom(sent, "gamma 3 1.5\\n", 2),
                ::testing::ElementsAre("gamma 3 1.5\\n", "bright 3\\n"));
}

TEST_F(CliEndToEnd, SourceOrLevelTheQuadrixRefusesOrCannotTakeIsNeverReportedAsDone)
{
    const std::string port = startOnPty();
    // Window 2 is RGB: its source cannot be smaller than a quarter of its input.
    const ProgramRun refused = cli(port, {"source", "2", "0", "0", "100", "100"});
    const ProgramRun outOfRange = cli(port, {"level", "3", "brightness", "501"});
    const ProgramRun notForRgb = cli(port, {"level", "2", "saturation", "100"});
    const ProgramRun badOperand = cli(port, {"source", "3", "0", "0", "0", "480"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("the Quadrix did not take the source 0 0 100 100 for "
                                       "window 2: it holds 0 0 1024 768"));
    EXPECT_EQ(outOfRange.status, 2);
    EXPECT_THAT(outOfRange.err, HasSubstr("-500 to 500"));
    EXPECT_EQ(notForRgb.status, 2);
    EXPECT_THAT(notForRgb.err, HasSubstr("saturation does not apply to the input of window 2"));
    EXPECT_EQ(badOperand.status, 2);
    EXPECT_EQ(badOperand.err,
              "kivo-cli: WIDTH must be a whole number from 1 to 65535, not \"0\"\n");
    for (const ProgramRun* run : {&refused, &outOfRange, &notForRgb, &badOperand})
        EXPECT_EQ(run->out, "");
    EXPECT_THAT(commands(), Not(::testing::Contains(::testing::StartsWith("bright 3 "))));
    EXPECT_THAT(commands(), Not(::testing::Contains(::testing::StartsWith("saturation 2 "))));
}

TEST_F(CliEndToEnd, BaudChangesTheQuadrixRateAndTheSavedRateFollowsIt)
{
    const std::string port = startOnPty();
    const ProgramRun changed = cli(port, {"baud", "115200"});
    EXPECT_EQ(changed.status, 0) << changed.err;
    EXPECT_EQ(changed.out, "the Quadrix runs at 115200 baud (was 9600)\n");
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("baudrate=115200"));
    const std::size_t before = commands().size();
    const ProgramRun status = cli(port, {"status"});
    EXPECT_EQ(status.status, 0) << status.err;
    // The second connection talks at 115200: the device understood its commands.
    const std::vector<std::string> sent = commands();
    ASSERT_GT(sent.size(), before);
    EXPECT_EQ(sent[before], "echo\\n");

    // A panel that does not follow the rate hears garbage and says so.
    dir.write("Kivo.ini", "[SERIALPORT]\nbaudrate=9600\n");
    const std::size_t beforeStale = commands().size();
    const ProgramRun stale = cli(port, {"status"});
    EXPECT_EQ(stale.status, 1);
    EXPECT_THAT(stale.err, HasSubstr("Something answers on " + port +
                                     " at 9600 baud, but not in words: the Quadrix may be set to "
                                     "another rate"));
    EXPECT_EQ(commands().size(), beforeStale + 1) << "nothing after the first question";
}

TEST_F(CliEndToEnd, NoiseAtAStaleRateStopsAtOnceAndFindRateComesUpAtTheQuadrixRate)
{
    const std::string stale = "[SERIALPORT]\nbaudrate=19200\n";
    dir.write("Kivo.ini", stale);
    const std::string port = startOnPty();
    const ProgramRun status = cli(port, {"status"});
    EXPECT_EQ(status.status, 1);
    EXPECT_EQ(status.err, "kivo-cli: Something answers on " + port +
                              " at 19200 baud, but not in words: the Quadrix may be set to "
                              "another rate\n");
    EXPECT_EQ(dir.read("Kivo.ini"), stale) << "a rate nothing spoke at is not kept";
    EXPECT_EQ(commands().size(), 1u) << "nothing after the first question";

    const ProgramRun found = cli(port, {"find-rate"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, "the Quadrix answers on " + port + " at 9600 baud\n");
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("baudrate=9600"));
    // One question per rate, fastest first: four reach the device as noise, the fifth in words.
    const std::vector<std::string> sent = commands();
    ASSERT_GE(sent.size(), 6u);
    for (std::size_t tried = 1; tried <= 4; ++tried)
        EXPECT_THAT(sent[tried], HasSubstr("\\x")) << tried;
    EXPECT_EQ(sent[5], "baud\\n");
}

struct UntakenRateCase {
    const char* name;
    bool overTcp;
    std::string reply; // to "baud 115200", which then changes nothing
    const char* said;
};

void PrintTo(const UntakenRateCase& c, std::ostream* out) { *out << c.name; }

class CliUntakenRate : public CliEndToEnd, public ::testing::WithParamInterface<UntakenRateCase> {};

TEST_P(CliUntakenRate, FailsAndTheOldRateStaysSaved)
{
    dir.write("Kivo.ini", "[SERIALPORT]\nbaudrate=9600\n");
    dir.write("replies.txt", "baud 115200\t" + GetParam().reply + "\n");
    const std::vector<std::string> options{"--replies", dir.file("replies.txt").string()};
    const std::string port = GetParam().overTcp ? startOnTcp(options) : startOnPty(options);
    const ProgramRun run = cli(port, {"baud", "115200"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr(GetParam().said));
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("baudrate=9600"));
    const ProgramRun after = cli(port, {"status"});
    EXPECT_EQ(after.status, 0) << "the next run still reaches the Quadrix: " << after.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUntakenRate,
    ::testing::Values(
        UntakenRateCase{"refused", false, "Error: rate busy\\r\\n",
                        "The Quadrix refused 115200 baud: Error: rate busy"},
        UntakenRateCase{"ignoredOnALine", false, "",
                        "at 115200 baud, but not in words: the Quadrix may be set to another "
                        "rate"},
        UntakenRateCase{"ignoredOverTcp", true, "",
                        "The Quadrix did not move to 115200 baud: asked for its rate, it "
                        "answered \"Baud rate: 9600\". The panel stays at 9600 baud."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliEndToEnd, BaudTheIniFileCannotKeepFailsAndSaysWhereTheQuadrixIsNow)
{
    dir.write("Kivo.ini", "[SERIALPORT]\nbaudrate=9600\n");
    ::chmod(ini().c_str(), 0444);
    const ProgramRun run = cli(startOnPty(), {"baud", "115200"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, AllOf(HasSubstr("The Quadrix now runs at 115200 baud, but the ini file "
                                         "could not keep that rate"),
                               HasSubstr(ini()), HasSubstr("read-only"),
                               HasSubstr("Start the panel at 115200 baud")));
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("baudrate=9600"));
}

struct FactoryCase {
    const char* reply;
    int status;
    const char* said;
};

class CliFactoryReset : public CliEndToEnd, public ::testing::WithParamInterface<FactoryCase> {};

TEST_P(CliFactoryReset, WatchesTheQuadrixRestartAndComesUpAgainAtTheFactoryRate)
{
    const std::string port = startOnPty({"--factory-reply", GetParam().reply});
    ASSERT_EQ(cli(port, {"send", "win 3 off"}).status, 0);
    const ProgramRun run = cli(port, {"factory-reset", "--yes"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_THAT(run.out + run.err, HasSubstr(GetParam().said));
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("baudrate=9600"));
    const std::vector<std::string> sent = commands();
    EXPECT_THAT(commandsFrom(sent, "restorefactorydefaults\\n", 2),
                ::testing::ElementsAre("restorefactorydefaults\\n", "yes\\n"));
}

// A device that says nothing is given up on after 37 one-second beats.
INSTANTIATE_TEST_SUITE_P(
    Endings, CliFactoryReset,
    ::testing::Values(FactoryCase{"prompt", 0, "asked to restart and was answered y"},
                      FactoryCase{"banner", 0, "factory defaults restored: the Quadrix restarted"},
                      FactoryCase{"none", 1, "Kivo monitoring has timed out!"}),
    [](const auto& info) { return std::string(info.param.reply); });

TEST_F(CliEndToEnd, FactoryResetTheQuadrixRefusesEndsAtOnceAndTouchesNothing)
{
    dir.write("replies.txt", "restorefactorydefaults\tError: busy\\r\\n\n");
    const std::string port = startOnPty({"--replies", dir.file("replies.txt").string()});
    const ProgramRun run = cli(port, {"factory-reset", "--yes"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("The Quadrix refused to restore its factory defaults: Error: "
                                   "busy. Nothing was changed."));
    EXPECT_THAT(run.out + run.err, Not(HasSubstr("restored")));
    EXPECT_THAT(commands(), Not(::testing::Contains("yes\\n")));
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("Lobby wall")) << "the cached lists are kept";
}

TEST_F(CliEndToEnd, FactoryResetAtAnotherRateIsWatchedAtTheFactoryRate)
{
    dir.write("Kivo.ini", "[SERIALPORT]\nbaudrate=19200\n");
    const ProgramRun run = cli(startOnPty({"--baud", "19200"}), {"factory-reset", "--yes"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("asked to restart and was answered y"));
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("baudrate=9600"));
}

TEST_F(CliEndToEnd, FrontPanelLockGoesOutAndTheQuadrixHoldsIt)
{
    const std::string port = startOnPty();
    const ProgramRun locked = cli(port, {"frontpanel", "lock"});
    const ProgramRun asked = cli(port, {"send", "frontpanel"});
    const ProgramRun refused = cli(port, {"factory-reset"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(locked.status, 0) << locked.err;
    EXPECT_EQ(locked.out, "front panel locked\n");
    EXPECT_EQ(asked.out, "Front panel disabled\n");
    EXPECT_THAT(commands(), ::testing::Contains("frontpanel off\\n"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_THAT(refused.err, HasSubstr("give --yes"));
    EXPECT_THAT(commands(), Not(::testing::Contains("restorefactorydefaults\\n")));
}

TEST_F(CliEndToEnd, OutputInputAndChromaKeyRequestsThatCannotBeUsedExitWithTwoAndOneLine)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"output"},
                                                 {"output", "recall", "28"},
                                                 {"output", "save", "11", "X"},
                                                 {"output", "save", "3"},
                                                 {"output", "delete", "0"},
                                                 {"output", "mode", "fast"},
                                                 {"output", "save", "3", "\r\n"},
                                                 {"input", "recall", "11", "1"},
                                                 {"input", "recall", "2", "51"},
                                                 {"input", "recall", "2"},
                                                 {"chromakey", "purple"},
                                                 {"chromakey"}}) {
        const ProgramRun run = runProgram(KIVO_CLI_PATH, args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(CliEndToEnd, ScreenRequestThatCannotBeCarriedOutExitsWithTwoAndOneLine)
{
    const ProgramRun junk =
        cli(dir.file("no-such-port").string(), {"place", "3", "0", "0", "3O", "1"});
    EXPECT_EQ(junk.status, 2);
    EXPECT_EQ(junk.err, "kivo-cli: WIDTH must be a whole number from 1 to 65535, not \"3O\"\n");

    const ProgramRun beyond =
        cli(startOnPty({"--windows", "4"}), {"place", "7", "0", "0", "100", "100"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(beyond.status, 2);
    EXPECT_EQ(beyond.err, "kivo-cli: the Quadrix has no window 7: it has 4 windows\n");
    EXPECT_EQ(beyond.out, "");
    EXPECT_THAT(commands(), Not(::testing::Contains(::testing::StartsWith("wdr 7 "))));
}

// A port where nothing answers: a device that is off, or a pseudo-terminal nobody serves.
class SilentPort : public CliEndToEnd, public ::testing::WithParamInterface<bool> {};

TEST_P(SilentPort, StatusSaysNothingAnsweredAndLeavesTheIniAlone)
{
    const std::string ini = "[SERIALPORT]\nbaudrate=19200\nport=/dev/ttyUSB7\n";
    dir.write("Kivo.ini", ini);
    PseudoTerminalPair unserved;
    const std::string port =
        GetParam() ? startOnPty({"--silent-after", "0", "--baud", "19200"}) : unserved.slave();
    const ProgramRun run = cli(port, {"status"});
    EXPECT_EQ(run.status, 1);
    EXPECT_THAT(run.err, HasSubstr("Nothing answered on " + port + " at 19200 baud"));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(dir.read("Kivo.ini"), ini);
    if (GetParam()) {
        EXPECT_THAT(commands(), ::testing::Each("echo\\n")) << "nothing but the first query";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SilentPort, ::testing::Values(true, false), [](const auto& info) {
    return std::string(info.param ? "silentDevice" : "unservedTerminal");
});

// A command of quadrix-sim's log with the milliseconds at which it came in.
struct TimedCommand {
    long ms;
    std::string bytes;
};

std::vector<TimedCommand> timedCommands(const std::string& log)
{
    std::vector<TimedCommand> commands;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        commands.push_back({std::stol(line), line.substr(line.find(' ') + 1)});
    return commands;
}

// The line that begins every shot sent whole: all ten windows off.
const std::string allWindowsOff = "win all off off off off off off off off off off\\n";

// An ini file with one presentation whose shot k shows window `windows[k]` alone, held
// `msecs[k]`, and the Loop flag stored off. The simulated Quadrix's windows 1, 3 and 4 take
// video, which a shot shows whatever the inputs' timings.
std::string presentationIni(const std::string& name, const std::vector<int>& msecs,
                            const std::vector<int>& windows)
{
    const std::vector<std::string> rects{"11 19 188 144", "100 100 300 250", "50 50 200 200"};
    std::string ini =
        "[PE]\nloop=0\n[P1INFO]\nname=" + name + "\nshots=" + std::to_string(msecs.size()) + "\n";
    for (std::size_t k = 0; k < msecs.size(); ++k)
        ini += "s" + std::to_string(k + 1) + "=" + std::to_string(msecs[k]) + " Shot " +
               std::to_string(k + 1) + "~ " + std::to_string(windows[k]) + " " + rects[k % 3] +
               "\n";
    return ini;
}

TEST_F(CliEndToEnd, PlayPutsEachShotOnTheWireAtItsHoldTimeAndStopsAfterTheLast)
{
    dir.write("Kivo.ini", presentationIni("Show", {800, 800, 800}, {1, 3, 4}));
    const ProgramRun run = cli(startOnPty(), {"play", "Show"});
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "shot 1 of 3: \"Shot 1\", 800 ms\n"
                       "shot 2 of 3: \"Shot 2\", 800 ms\n"
                       "shot 3 of 3: \"Shot 3\", 800 ms\n");

    std::vector<long> shotStarts;
    std::vector<std::string> third; // what went out from the third shot on
    for (const TimedCommand& c : timedCommands(dir.read("quadrix.log"))) {
        if (c.bytes == allWindowsOff)
            shotStarts.push_back(c.ms);
        if (shotStarts.size() == 3)
            third.push_back(c.bytes);
    }
    ASSERT_EQ(shotStarts.size(), 3u);
    // Ticks come every 100 ms, so a shot may run over by up to a tick, never short.
    EXPECT_NEAR(shotStarts[1] - shotStarts[0], 800, 150);
    EXPECT_NEAR(shotStarts[2] - shotStarts[1], 800, 150);
    EXPECT_THAT(third, ::testing::ElementsAre(allWindowsOff, "wdr 4 112 94 434 459\\n",
                                              "priority all 4 1 2 3 5 6 7 8 9 10\\n",
                                              "win all off off off on off off off off off off\\n",
                                              "echo on\\n"));
    const long lastShotHeld = timedCommands(dir.read("quadrix.log")).back().ms - shotStarts[2];
    EXPECT_NEAR(lastShotHeld, 800, 150) << "the last shot is held before the run ends";
}

struct RefusedShotCase {
    const char* name;
    std::string refused; // the command the device answers "Error: busy"
    std::vector<std::string> options;
    std::string err;
};

void PrintTo(const RefusedShotCase& c, std::ostream* out) { *out << c.name; }

class RefusedShots : public CliEndToEnd, public ::testing::WithParamInterface<RefusedShotCase> {};

TEST_P(RefusedShots, AreReportedOnTheirLinesAndFailTheRun)
{
    dir.write("Kivo.ini", presentationIni("Show", {800, 800}, {1, 3}));
    dir.write("replies.txt", GetParam().refused + "\tError: busy\\r\\n\n");
    std::vector<std::string> args{"play", "Show"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const ProgramRun run = cli(startOnPty({"--replies", dir.file("replies.txt").string()}), args);
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err, GetParam().err);
}

const std::string refusedAllOff =
    ": not taken: the Quadrix refused \"win all off off off off off off off off off off\" "
    "(Error: busy)\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedShots,
    ::testing::Values(
        RefusedShotCase{"onePlacement",
                        "wdr 3 257 247 578 459",
                        {},
                        "shot 1 of 2: \"Shot 1\", 800 ms\n"
                        "shot 2 of 2: \"Shot 2\", 800 ms: not taken: the Quadrix refused "
                        "\"wdr 3 257 247 578 459\" (Error: busy)\n"
                        "kivo-cli: the Quadrix did not take 1 shot\n"},
        RefusedShotCase{"everyShot",
                        "win all off off off off off off off off off off",
                        {},
                        "shot 1 of 2: \"Shot 1\", 800 ms" + refusedAllOff +
                            "shot 2 of 2: \"Shot 2\", 800 ms" + refusedAllOff +
                            "kivo-cli: the Quadrix did not take 2 shots\n"},
        RefusedShotCase{"strictEndsAtTheFirst",
                        "win all off off off off off off off off off off",
                        {"--strict"},
                        "shot 1 of 2: \"Shot 1\", 800 ms" + refusedAllOff +
                            "kivo-cli: the Quadrix did not take 1 shot (--strict ends the run)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliEndToEnd, PlayOnADeviceThatFallsSilentSaysWhichShotsWereNotAnsweredAndFails)
{
    dir.write("Kivo.ini", presentationIni("Show", {800, 800}, {1, 3}));
    // How many commands the bring-up takes: the device falls silent right after them.
    const ProgramRun normal = cli(startOnPty(), {"play", "Show"});
    stopSimAfter("echo on\\n");
    ASSERT_EQ(normal.status, 0) << normal.err;
    const std::vector<std::string> sent = commands();
    const auto firstShot = std::find(sent.begin(), sent.end(), allWindowsOff);
    ASSERT_NE(firstShot, sent.end());
    const auto bringUp = std::to_string(firstShot - sent.begin());
    std::filesystem::remove(log());

    const ProgramRun run = cli(startOnPty({"--silent-after", bringUp}), {"play", "Show"});
    sim->stop();
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_THAT(run.err, HasSubstr("shot 1 of 2: \"Shot 1\", 800 ms: not taken: the Quadrix did "
                                   "not answer \"win all off off off off off off off off off "
                                   "off\"\n"));
    EXPECT_THAT(run.err, HasSubstr("kivo-cli: the Quadrix did not take 2 shots\n"));
}

TEST_F(CliEndToEnd, LoopingPlayStopsInOrderOnSigtermAndLeavesTheLoopFlagStored)
{
    dir.write("Kivo.ini", presentationIni("Show", {800, 800}, {1, 3}));
    const std::string port = startOnPty();
    ChildProcess player(KIVO_CLI_PATH, {"--ini", ini(), "--port", port, "play", "Show", "--loop"},
                        "/dev/null", dir.file("play.err").string());
    const auto shotsSent = [&] {
        const std::vector<std::string> sent = commands();
        return std::count(sent.begin(), sent.end(), allWindowsOff);
    };
    for (int i = 0; i < 1000 && shotsSent() < 3; ++i)
        ::usleep(10'000);
    ASSERT_EQ(shotsSent(), 3) << "the first shot again after the second";
    EXPECT_EQ(player.stop(), 143);
    stopSimAfter("echo on\\n");
    EXPECT_THAT(dir.read("play.err"), HasSubstr("shot 1 of 2: \"Shot 1\", 800 ms\n"
                                                "shot 2 of 2: \"Shot 2\", 800 ms\n"
                                                "shot 1 of 2: \"Shot 1\", 800 ms\n"));
    const std::vector<std::string> sent = commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent.back(), "echo on\\n") << "the panel shut down in order";
    EXPECT_EQ(sent[sent.size() - 2], "win all on off off off off off off off off off\\n")
        << "the shot on its way was sent whole";
    EXPECT_THAT(dir.read("Kivo.ini"), HasSubstr("[PE]\nloop=0\n"));
}

TEST_F(CliEndToEnd, ExportWritesTheScriptOfEveryShotBesideTheOperatorAndSendsNoneOfIt)
{
    dir.write("Kivo.ini", presentationIni("Show", {800, 1200}, {1, 3}));
    const std::string port = startOnPty();
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const ProgramRun run = cli(port, {"export", "Show"});
    std::filesystem::current_path(started);
    stopSimAfter("echo on\\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.file("Show.txt").string() + "\n");
    EXPECT_EQ(dir.read("Show.txt"), "win all off off off off off off off off off off\r\r\n"
                                    "wdr 1 0 0 512 382\r\r\n"
                                    "priority all 1 2 3 4 5 6 7 8 9 10\r\r\n"
                                    "win all on off off off off off off off off off\r\r\n"
                                    "sleep 800\r\r\n"
                                    "win all off off off off off off off off off off\r\r\n"
                                    "wdr 3 257 247 578 459\r\r\n"
                                    "priority all 3 1 2 4 5 6 7 8 9 10\r\r\n"
                                    "win all off off on off off off off off off off\r\r\n"
                                    "sleep 1200\r\r\n");
    EXPECT_THAT(commands(), Not(::testing::Contains(allWindowsOff)));
}

TEST_F(CliEndToEnd, ExportReplacesALinkAtItsNameAndMakesNoFolders)
{
    dir.write("Kivo.ini", presentationIni("Show", {800, 1200}, {1, 3}));
    const TempDir elsewhere;
    elsewhere.write("precious.txt", "keep");
    std::filesystem::create_symlink(elsewhere.file("precious.txt"), dir.file("show.txt"));
    const std::string port = startOnPty();
    const ProgramRun linked =
        cli(port, {"export", "Show", "--output", dir.file("show.txt").string()});
    EXPECT_EQ(linked.status, 0) << linked.err;
    EXPECT_FALSE(std::filesystem::is_symlink(dir.file("show.txt")));
    EXPECT_THAT(dir.read("show.txt"), ::testing::StartsWith("win all off"));
    EXPECT_EQ(elsewhere.read("precious.txt"), "keep");

    const std::string missing = dir.file("typo").string();
    const ProgramRun refused = cli(port, {"export", "Show", "--output", missing + "/show.txt"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "kivo-cli: --output \"" + missing +
                               "/show.txt\": there is no folder \"" + missing +
                               "\" (kivo-cli makes none)\n");
    EXPECT_FALSE(std::filesystem::exists(missing));
    stopSimAfter("echo on\\n");
}

TEST_F(CliEndToEnd, PresentationsPastTheTwentiethAreToldOnceAndKept)
{
    std::string text;
    for (int n = 1; n <= 21; ++n)
        text += "[P" + std::to_string(n) + "INFO]\nname=Show " + std::to_string(n) + "\nshots=0\n";
    dir.write("Kivo.ini", text);
    const ProgramRun run = runProgram(KIVO_CLI_PATH, {"--ini", ini(), "presentations"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "kivo-cli: Presentations beyond the 20th in the ini file are not shown "
                       "(P21INFO); they stay in the file\n");
    EXPECT_THAT(run.out, Not(HasSubstr("Show 21")));
    EXPECT_EQ(dir.read("Kivo.ini"), text);
}

} // namespace
} // namespace kivo::test
