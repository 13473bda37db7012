// DeviceServer against clients that misbehave, each on a socket pair: one that never reads
// its answers, and one that hangs up halfway through a command.
#include "sim/DeviceServer.h"
#include "tests/sim/PromptReader.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace kivo::sim::test {
namespace {

using namespace std::chrono_literals;
using End = DeviceServer::End;

// One DeviceServer that serves its clients in turn, each on its own socket pair.
class SocketServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(pipe(stop.data()), 0); }

    void TearDown() override
    {
        if (served.valid()) {
            write(stop[1], "x", 1);
            served.wait();
        }
        closeClient();
        close(stop[0]);
        close(stop[1]);
    }

    // Starts serving a new client; returns the client's end, non-blocking.
    int connect()
    {
        std::array<int, 2> pair{-1, -1};
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair.data()),
                  0);
        serverFd = pair[0];
        clientFd = pair[1];
        served =
            std::async(std::launch::async, [this] { return server->serve(serverFd, stop[0]); });
        return clientFd;
    }

    // How the serve of the current client ended, once it has within `wait`.
    std::optional<End> ended(std::chrono::seconds wait)
    {
        if (served.wait_for(wait) != std::future_status::ready)
            return std::nullopt;
        return served.get();
    }

    void closeClient()
    {
        if (clientFd >= 0)
            close(clientFd);
        if (serverFd >= 0)
            close(serverFd);
        clientFd = serverFd = -1;
    }

    void makeServer(bool lineRate, std::chrono::milliseconds latency, int baud = 9600)
    {
        QuadrixOptions options;
        options.baud = baud;
        device.emplace(std::move(options));
        server.emplace(*device, lineRate, latency);
    }

    // Sends "id" lines, whose answers are hundreds of bytes each, without reading any, until
    // the server stops serving, `bytes` have gone or ten seconds have passed.
    void floodWithoutReading(std::size_t bytes)
    {
        std::string chunk;
        for (int i = 0; i < 1000; ++i)
            chunk += "id\n";
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        std::size_t sent = 0;
        while (sent < bytes && served.wait_for(0s) != std::future_status::ready &&
               std::chrono::steady_clock::now() < deadline) {
            const std::size_t from = sent % chunk.size();
            const ssize_t n = write(clientFd, chunk.data() + from, chunk.size() - from);
            if (n > 0) {
                sent += static_cast<std::size_t>(n);
            } else if (n < 0 && errno == EAGAIN) {
                pollfd p{clientFd, POLLOUT, 0};
                poll(&p, 1, 50);
            } else {
                break;
            }
        }
    }

    std::array<int, 2> stop{-1, -1};
    std::optional<QuadrixDevice> device;
    std::optional<DeviceServer> server;
    std::future<End> served;
    int serverFd = -1;
    int clientFd = -1;
};

struct FloodCase {
    const char* name;
    bool lineRate;
    std::chrono::milliseconds latency;
};

class UnreadAnswersTest : public SocketServerTest,
                          public ::testing::WithParamInterface<FloodCase> {};

// Unbounded, 300 kB of "id" lines would make over 30 MB of answers.
TEST_P(UnreadAnswersTest, ClientIsDroppedOnceTheBacklogPassesTheBound)
{
    makeServer(GetParam().lineRate, GetParam().latency, 115200);
    connect();
    floodWithoutReading(300'000);
    const std::optional<End> end = ended(10s);
    ASSERT_TRUE(end) << "still serving a client that reads nothing";
    EXPECT_EQ(*end, End::overrun);
}

INSTANTIATE_TEST_SUITE_P(
    Timing, UnreadAnswersTest,
    ::testing::Values(FloodCase{"AtOnce", false, 0ms},
                      // The answers wait inside the device, not yet due to be sent.
                      FloodCase{"LongLatency", false, 60s},
                      // The line carries the answers far slower than the commands make them.
                      FloodCase{"LineRate", true, 0ms}),
    [](const auto& info) { return std::string(info.param.name); });

// At 1200 baud two megabytes take hours to reach the device; the server must not hold them.
TEST_F(SocketServerTest, InputFasterThanTheLineWaitsWithTheClient)
{
    makeServer(true, 0ms, 1200);
    const int fd = connect();
    const std::string chunk(4096, 'x');
    std::size_t sent = 0;
    // Writes until the server has stopped taking bytes for half a second.
    pollfd p{fd, POLLOUT, 0};
    while (sent < 2'000'000 && poll(&p, 1, 500) == 1) {
        const ssize_t n = write(fd, chunk.data(), chunk.size());
        if (n <= 0)
            break;
        sent += static_cast<std::size_t>(n);
    }
    // The bound plus what the socket itself buffers.
    EXPECT_LT(sent, 1'000'000u);
}

TEST_F(SocketServerTest, NextClientStartsAfreshAfterADroppedOne)
{
    makeServer(false, 0ms);
    connect();
    floodWithoutReading(300'000);
    ASSERT_EQ(ended(10s), End::overrun);
    closeClient();

    const int fd = connect();
    ASSERT_EQ(write(fd, "echo off\n", 9), 9);
    EXPECT_EQ(readAnswer(fd), "echo off\r\n> ") << "nothing of the dropped client's backlog";
}

TEST_F(SocketServerTest, HalfACommandDiesWithItsClient)
{
    makeServer(false, 0ms);
    int fd = connect();
    // The whole command before the hang-up is still carried out, the half one is not.
    const std::string first = "win 3 off\nwin 4 of";
    ASSERT_EQ(write(fd, first.data(), first.size()), static_cast<ssize_t>(first.size()));
    readAnswer(fd);
    shutdown(fd, SHUT_WR);
    ASSERT_EQ(ended(10s), End::hangup);
    closeClient();

    fd = connect();
    ASSERT_EQ(write(fd, "f\n", 2), 2);
    EXPECT_EQ(readAnswer(fd), "f\r\nError: unknown command \"f\"\r\n> ");
    shutdown(fd, SHUT_WR);
    ASSERT_EQ(ended(10s), End::hangup);
    EXPECT_FALSE(device->state().window(3)->on);
    EXPECT_TRUE(device->state().window(4)->on) << "the first client's half line was run";
}

} // namespace
} // namespace kivo::sim::test
