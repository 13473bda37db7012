// Measures the start-up bring-up against quadrix-sim on a pseudo-terminal paced at a baud
// rate, beside its floor: the pauses the panel must make plus the time the device's replies
// need on the line. Prints one row per rate; the goal is a ratio of 1.10 or less.

#include "core/app/CommandChannel.h"
#include "core/app/KeyState.h"
#include "core/app/LinkOpener.h"
#include "core/app/PanelApp.h"
#include "core/app/ProcessExit.h"
#include "core/app/Profile.h"
#include "core/app/ProgressSink.h"
#include "core/app/Prompter.h"
#include "core/app/SteadyClock.h"
#include "core/mirror/BringUp.h"
#include "core/mirror/PanelPages.h"
#include "core/mirror/PanelState.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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
    long write(std::string_view bytes) override { return inner_->write(bytes); }
    long read(std::span<char> buffer) override
    {
        const long got = inner_->read(buffer);
        bytesRead += got > 0 ? got : 0;
        return got;
    }
    void purgeReceive() override { inner_->purgeReceive(); }
    void close() override { inner_->close(); }
    std::string errorText() const override { return inner_->errorText(); }
    long bytesRead = 0;

private:
    std::unique_ptr<Link> inner_;
};

class NoKeys final : public KeyState {
public:
    bool shiftHeld() const override { return false; }
    bool altHeld() const override { return false; }
};

class PrintingPrompter final : public Prompter {
public:
    Answer ask(const std::string& text, Buttons, Icon, const std::string&) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return Answer::ok;
    }
};

class ExitOnLostLink final : public ProcessExit {
public:
    [[noreturn]] void endProcess(int) override
    {
        std::fprintf(stderr, "the simulated Quadrix stopped answering\n");
        std::exit(1);
    }
};

// quadrix-sim serving a pseudo-terminal for as long as this object lives.
class SimulatorProcess {
public:
    SimulatorProcess(const std::string& program, const std::string& link, std::uint32_t baud)
    {
        std::vector<std::string> args{program, "--pty", link, "--baud", std::to_string(baud)};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        // Its greeting would land among the figures.
        posix_spawn_file_actions_t quiet;
        ::posix_spawn_file_actions_init(&quiet);
        ::posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        if (::posix_spawn(&pid_, program.c_str(), &quiet, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        ::posix_spawn_file_actions_destroy(&quiet);
        for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
            ::usleep(10'000);
    }
    ~SimulatorProcess()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    bool running() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
};

struct Figures {
    double durationMs = 0;
    double pausedMs = 0;
    long bytesRead = 0;
    double lineMs = 0;
};

bool measure(const std::string& simPath, std::uint32_t baud,
             const std::optional<ReadTimeouts>& timeouts, Figures& figures)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        ("kivo-bench-" + std::to_string(::getpid()) + "-" + std::to_string(baud));
    std::filesystem::create_directories(dir);
    const std::string link = (dir / "quadrix").string();
    const SimulatorProcess simulator(simPath, link, baud);
    Profile profile(dir / "Kivo.ini");
    profile.writeString("SERIALPORT", "baudrate", std::to_string(baud));
    PanelApp app(profile);
    app.portName = link;
    app.startUp((dir / "Kivolog.txt").string());
    MeteredClock clock;
    NoKeys keys;
    PrintingPrompter prompter;
    ExitOnLostLink exit;
    PanelState state;
    CommandChannel channel(app, {clock, keys, prompter, exit}, state.mirror.windowCount);
    LinkOpener opener;
    if (timeouts)
        opener.overrideReadTimeouts(*timeouts);
    std::string error;
    if (!simulator.running() || !app.openLink(opener, error)) {
        std::fprintf(stderr, "cannot reach quadrix-sim: %s\n", error.c_str());
        return false;
    }
    auto counting = std::make_unique<CountingLink>(std::move(app.serialHandle));
    CountingLink& counter = *counting;
    app.serialHandle = std::move(counting);
    PanelPages pages;
    ProgressSink progress;
    BringUp bringUp({app, channel, state, clock, prompter, pages, progress});

    const auto start = std::chrono::steady_clock::now();
    bringUp.reset(true);
    const auto end = std::chrono::steady_clock::now();

    figures.durationMs = std::chrono::duration<double, std::milli>(end - start).count();
    figures.pausedMs = static_cast<double>(clock.pausedMs);
    figures.bytesRead = counter.bytesRead;
    figures.lineMs = static_cast<double>(counter.bytesRead) * 10'000.0 / baud;
    app.shutdown();
    std::filesystem::remove_all(dir);
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
            timeouts = ReadTimeouts{value, timeouts ? timeouts->interByteMs : 3};
        else if (option == "--inter-byte-ms")
            timeouts = ReadTimeouts{timeouts ? timeouts->firstByteMs : 10, value};
        else {
            std::fprintf(
                stderr,
                "usage: bringup-bench [--sim PATH] [--first-byte-ms N] [--inter-byte-ms N]\n");
            return 2;
        }
    }
    std::printf("%8s %12s %10s %10s %10s %10s %7s\n", "baud", "bring-up ms", "pauses ms",
                "bytes in", "line ms", "floor ms", "ratio");
    for (const std::uint32_t baud : {9600u, 115200u}) {
        Figures f;
        if (!measure(simPath, baud, timeouts, f))
            return 1;
        const double floorMs = f.pausedMs + f.lineMs;
        std::printf("%8u %12.0f %10.0f %10ld %10.0f %10.0f %7.3f\n", baud, f.durationMs, f.pausedMs,
                    f.bytesRead, f.lineMs, floorMs, f.durationMs / floorMs);
    }
    return 0;
}

} // namespace
} // namespace kivo::bench

int main(int argc, char** argv) { return kivo::bench::run(argc, argv); }
