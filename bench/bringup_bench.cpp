// Measures the start-up bring-up against quadrix-sim on a pseudo-terminal paced at a baud rate
// and thinking for a latency before each answer, beside its floor: every byte both ways at the
// line's rate plus the latency of each command. One row per run, then a summary line per run;
// the goal is a ratio of 1.25 or less.

#include "cli/ConsolePrompter.h"
#include "cli/HeadlessSeams.h"
#include "core/base/BusyHandler.h"
#include "core/base/PanelPages.h"
#include "core/base/ProgressSink.h"
#include "core/base/SteadyClock.h"
#include "core/link/LinkOpener.h"
#include "core/panel/PanelSession.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace kivo::bench {
namespace {

// Real time, with the pauses the panel asked for added up.
class MeteredClock final : public Clock {
public:
    std::int64_t nowMs() const override { return clock_.nowMs(); }
    void sleepMs(int ms) override
    {
        pausedMs += ms;
        clock_.sleepMs(ms);
    }
    std::int64_t pausedMs = 0;

private:
    SteadyClock clock_;
};

// Counts the bytes the device sent, on their way to the panel.
class CountingLink final : public Link {
public:
    explicit CountingLink(std::unique_ptr<Link> inner) : inner_(std::move(inner)) {}
    long write(std::string_view bytes) override
    {
        const long written = inner_->write(bytes);
        bytesWritten += written > 0 ? written : 0;
        writes += written > 0 ? 1 : 0;
        return written;
    }
    long read(std::span<char> buffer) override
    {
        const long got = inner_->read(buffer);
        bytesRead += got > 0 ? got : 0;
        return got;
    }
    std::size_t purgeReceive() override { return inner_->purgeReceive(); }
    int pauseMs() const override { return inner_->pauseMs(); }
    void close() override { inner_->close(); }
    std::string errorText() const override { return inner_->errorText(); }
    int readTimeoutMs() const override { return inner_->readTimeoutMs(); }
    long bytesWritten = 0;
    long bytesRead = 0;
    long writes = 0;

private:
    std::unique_ptr<Link> inner_;
};

struct Figures {
    double durationMs = 0;
    double pausedMs = 0;
    long bytesWritten = 0;
    long bytesRead = 0;
    long writes = 0;
};

// What a bring-up cannot beat: every byte both ways at the line's rate, and the device's
// thinking time before each answer.
double floorMs(const Figures& f, std::uint32_t baud, int latencyMs)
{
    return static_cast<double>(f.bytesWritten + f.bytesRead) * 10'000.0 / baud +
           static_cast<double>(f.writes) * latencyMs;
}

// quadrix-sim has its pseudo-terminal ready once the link to it exists.
bool waitForLink(const std::string& link)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
        ::usleep(10'000);
    return std::filesystem::exists(link);
}

bool measure(const std::string& simPath, std::uint32_t baud, int latencyMs,
             const std::optional<ReadTimeouts>& timeouts, Figures& figures)
{
    const test::TempDir dir;
    const std::string link = dir.file("quadrix").string();
    test::ChildProcess simulator(simPath, {"--pty", link, "--baud", std::to_string(baud),
                                           "--latency", std::to_string(latencyMs)});
    {
        Profile(dir.file("Kivo.ini")).writeString("SERIALPORT", "baudrate", std::to_string(baud));
    }
    MeteredClock clock;
    cli::NoKeysHeld keys;
    cli::ConsolePrompter prompter;
    cli::ExitWithStatus exit(1);
    BusyHandler busy;
    PanelPages pages;
    ProgressSink progress;
    PanelSession session({dir.file("Kivo.ini"), link, dir.file("Kivolog.txt").string()},
                         {clock, keys, prompter, exit, busy, pages, progress});
    LinkOpener opener;
    if (timeouts)
        opener.overrideReadTimeouts(*timeouts);
    std::string error;
    if (!waitForLink(link) || !session.openLink(opener, error)) {
        std::fprintf(stderr, "cannot reach quadrix-sim: %s\n", error.c_str());
        return false;
    }
    PanelApp& app = session.app();
    auto counting = std::make_unique<CountingLink>(std::move(app.serialHandle));
    const CountingLink& counter = *counting;
    app.serialHandle = std::move(counting);

    const auto start = std::chrono::steady_clock::now();
    session.bringUp().reset(true);
    const auto end = std::chrono::steady_clock::now();

    figures.durationMs = std::chrono::duration<double, std::milli>(end - start).count();
    figures.pausedMs = static_cast<double>(clock.pausedMs);
    figures.bytesWritten = counter.bytesWritten;
    figures.bytesRead = counter.bytesRead;
    figures.writes = counter.writes;
    app.shutdown();
    simulator.stop();
    return true;
}

int run(int argc, char** argv)
{
    std::string simPath = QUADRIX_SIM_PATH;
    std::optional<ReadTimeouts> timeouts;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (option == "--sim")
            simPath = argv[i + 1];
        else if (option == "--first-byte-ms")
            timeouts = ReadTimeouts{value, timeouts ? timeouts->interByteMs : 1};
        else if (option == "--inter-byte-ms")
            timeouts = ReadTimeouts{timeouts ? timeouts->firstByteMs : 10, value};
        else {
            std::fprintf(
                stderr,
                "usage: bringup-bench [--sim PATH] [--first-byte-ms N] [--inter-byte-ms N]\n");
            return 2;
        }
    }
    std::printf("%8s %8s %12s %10s %10s %10s %8s %10s\n", "baud", "latency", "bring-up ms",
                "pauses ms", "bytes out", "bytes in", "commands", "floor ms");
    std::vector<std::string> summary;
    for (const std::uint32_t baud : {9600u, 115200u}) {
        for (const int latencyMs : {0, 5}) {
            Figures f;
            if (!measure(simPath, baud, latencyMs, timeouts, f))
                return 1;
            const double floor = floorMs(f, baud, latencyMs);
            std::printf("%8u %8d %12.0f %10.0f %10ld %10ld %8ld %10.0f\n", baud, latencyMs,
                        f.durationMs, f.pausedMs, f.bytesWritten, f.bytesRead, f.writes, floor);
            char line[128];
            std::snprintf(line, sizeof line,
                          "bringup baud=%u latency=%d ms=%.0f floor=%.0f ratio=%.2f", baud,
                          latencyMs, f.durationMs, floor, f.durationMs / floor);
            summary.push_back(line);
        }
    }
    for (const std::string& line : summary)
        std::printf("%s\n", line.c_str());
    return 0;
}

} // namespace
} // namespace kivo::bench

int main(int argc, char** argv) { return kivo::bench::run(argc, argv); }
