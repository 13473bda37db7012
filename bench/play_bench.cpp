// Plays a ten-shot presentation of 800 ms shots through kivo-cli play against quadrix-sim on a
// pseudo-terminal at 115200 baud and reads from the simulator's log how long each shot stood
// on the device: from its first command to the next shot's first command (the last shot: to
// the run's closing "echo on"). Prints each shot's overrun beyond its hold time, then per run
// the mean and largest overrun and the drift: the second five shots against the first five,
// which are sent the same ways in the same order, so a lag that grows shows and the kinds of
// shot do not. The goal is a mean overrun of 60 ms or less, at most 120 ms, and no drift.

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kivo::bench {
namespace {

constexpr int holdMs = 800;
// A shot's commands go out within about a quarter of a second (the longest path waits 240 ms
// between its commands); a longer silence on the line is the hold before the next shot.
constexpr long shotSilenceMs = holdMs / 2;

// Five shots twice over, so that every way a shot is sent is measured: the whole
// configuration (shots 1 and 2), one window going on (3), one going off (4), one window moved
// (5). Windows 1, 3, 4, 6 and 7 of the simulated Quadrix take video, which shots always show.
const std::vector<std::string> shotWindows{
    "1 11 19 188 144 3 100 100 300 250",
    "4 50 50 200 200 6 11 19 188 144",
    "4 50 50 200 200 6 11 19 188 144 7 100 100 300 250",
    "4 50 50 200 200 6 11 19 188 144",
    "4 100 100 300 250 6 11 19 188 144",
};

std::string benchIni()
{
    std::string ini = "[SERIALPORT]\nbaudrate=115200\n[PE]\nloop=0\n[P1INFO]\nname=Bench\n";
    const int shots = 2 * static_cast<int>(shotWindows.size());
    ini += "shots=" + std::to_string(shots) + "\n";
    for (int k = 0; k < shots; ++k)
        ini += "s" + std::to_string(k + 1) + "=" + std::to_string(holdMs) + " Shot " +
               std::to_string(k + 1) + "~ " +
               shotWindows[static_cast<std::size_t>(k) % shotWindows.size()] + "\n";
    return ini;
}

struct LoggedCommand {
    long ms;
    std::string bytes;
};

std::vector<LoggedCommand> readLog(const std::filesystem::path& path)
{
    std::vector<LoggedCommand> commands;
    std::ifstream log(path);
    for (std::string line; std::getline(log, line);)
        commands.push_back({std::atol(line.c_str()), line.substr(line.find(' ') + 1)});
    return commands;
}

// When each shot's first command reached the device, and last the run's closing command.
// The first shot is sent whole, so it begins with all windows off; every later shot begins
// after a silence of the hold.
std::vector<long> shotStarts(const std::vector<LoggedCommand>& log)
{
    const auto first = std::find_if(log.begin(), log.end(), [](const LoggedCommand& c) {
        return c.bytes.starts_with("win all off off off off off off off off off off");
    });
    std::vector<long> starts;
    for (auto c = first; c != log.end(); ++c)
        if (c == first || c->ms - (c - 1)->ms > shotSilenceMs)
            starts.push_back(c->ms);
    return starts;
}

struct Run {
    std::vector<long> overruns; // one per shot
    bool ok = false;
};

bool waitForLink(const std::string& link)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
        ::usleep(10'000);
    return std::filesystem::exists(link);
}

Run playOnce(const std::string& simPath, const std::string& cliPath)
{
    const test::TempDir dir;
    dir.write("Kivo.ini", benchIni());
    const std::string link = dir.file("quadrix").string();
    const std::string log = dir.file("quadrix.log").string();
    Run run;
    {
        test::ChildProcess simulator(simPath, {"--pty", link, "--baud", "115200", "--log", log});
        if (!waitForLink(link)) {
            std::fprintf(stderr, "quadrix-sim did not start\n");
            return run;
        }
        const test::ProgramRun play = test::runProgram(
            cliPath, {"--ini", dir.file("Kivo.ini").string(), "--port", link, "play", "Bench"});
        if (play.status != 0) {
            std::fprintf(stderr, "kivo-cli play ended with %d: %s", play.status, play.err.c_str());
            return run;
        }
        // The closing "echo on" may still be on its way through the paced line.
        ::usleep(200'000);
        simulator.stop();
    }
    const std::vector<long> starts = shotStarts(readLog(log));
    const std::size_t shots = 2 * shotWindows.size();
    if (starts.size() != shots + 1) {
        std::fprintf(stderr, "found %zu shots in the device's log, not %zu\n",
                     starts.size() - std::min<std::size_t>(starts.size(), 1), shots);
        return run;
    }
    for (std::size_t k = 0; k < shots; ++k)
        run.overruns.push_back(starts[k + 1] - starts[k] - holdMs);
    run.ok = true;
    return run;
}

double mean(const std::vector<long>& values, std::size_t from, std::size_t count)
{
    const auto begin = values.begin() + static_cast<long>(from);
    return static_cast<double>(std::accumulate(begin, begin + static_cast<long>(count), 0L)) /
           static_cast<double>(count);
}

int run(int argc, char** argv)
{
    std::string simPath = QUADRIX_SIM_PATH;
    std::string cliPath = KIVO_CLI_PATH;
    int runs = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--sim")
            simPath = argv[i + 1];
        else if (option == "--cli")
            cliPath = argv[i + 1];
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else {
            std::fprintf(stderr, "usage: play-bench [--sim PATH] [--cli PATH] [--runs N]\n");
            return 2;
        }
    }
    std::vector<long> all;
    std::vector<std::string> summary;
    for (int r = 1; r <= runs; ++r) {
        const Run result = playOnce(simPath, cliPath);
        if (!result.ok)
            return 1;
        std::printf("run %d, overrun beyond %d ms per shot:", r, holdMs);
        for (const long overrun : result.overruns)
            std::printf(" %ld", overrun);
        std::printf("\n");
        const std::vector<long>& o = result.overruns;
        const std::size_t half = o.size() / 2;
        char line[160];
        std::snprintf(line, sizeof line,
                      "play run=%d mean_overrun=%.1f max_overrun=%ld drift=%.1f (second five %.1f, "
                      "first five %.1f)",
                      r, mean(o, 0, o.size()), *std::max_element(o.begin(), o.end()),
                      mean(o, half, half) - mean(o, 0, half), mean(o, half, half),
                      mean(o, 0, half));
        summary.push_back(line);
        all.insert(all.end(), o.begin(), o.end());
    }
    for (const std::string& line : summary)
        std::printf("%s\n", line.c_str());
    const double overall = mean(all, 0, all.size());
    const long largest = *std::max_element(all.begin(), all.end());
    std::printf(
        "play all runs: mean_overrun=%.1f max_overrun=%ld goal (mean <= 60, max <= 120) %s\n",
        overall, largest, overall <= 60 && largest <= 120 ? "met" : "missed");
    return 0;
}

} // namespace
} // namespace kivo::bench

int main(int argc, char** argv) { return kivo::bench::run(argc, argv); }
