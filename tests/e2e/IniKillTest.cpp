#include "tests/e2e/SimulatedQuadrix.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <unistd.h>

namespace kivo::test {
namespace {

// How many times kivo-cli is killed (KIVO_KILLS) and stopped (KIVO_STOPS); scripts/kill-test
// asks for more.
int countFrom(const char* variable, int fallback)
{
    const char* count = std::getenv(variable);
    return count && std::atoi(count) > 0 ? std::atoi(count) : fallback;
}

// Every save writes the whole file as it stands, and keys only ever join it: a file saved on
// the way to `whole` holds some of its lines, in its order, and ends where a line ends.
bool isSavedOnTheWayTo(const std::string& text, const std::string& whole)
{
    if (!text.empty() && !text.ends_with('\n'))
        return false;
    const std::vector<std::string> wholeLines = linesOf(whole);
    std::size_t next = 0;
    for (const std::string& line : linesOf(text)) {
        while (next < wholeLines.size() && wholeLines[next] != line)
            ++next;
        if (next == wholeLines.size())
            return false;
        ++next;
    }
    return true;
}

// kivo-cli status writes the ini file many times over (the timing list cache, the serial
// settings). Killed at any moment, it must leave the file as one of its saves wrote it: from
// a finished run's file, that file unchanged (every save writes the same text again); from
// no file, no file or a file saved on the way to the finished one.
class IniKill : public ::testing::Test {
protected:
    std::vector<std::string> statusArgs() const
    {
        return {"--port", "sim", "--ini", ini().string(), "status"};
    }
    std::filesystem::path ini() const { return dir.file("Kivo.ini"); }

    // Starts each run of a series from the finished run's file or from none, in turn.
    void prepareRun(int run, const std::string& finished) const
    {
        if (run % 2 == 1)
            dir.write("Kivo.ini", finished);
        else
            std::filesystem::remove(ini());
    }

    void expectWhole(int run, const std::string& finished) const
    {
        if (run % 2 == 1) {
            ASSERT_EQ(dir.read("Kivo.ini"), finished) << "run " << run;
        } else if (std::filesystem::exists(ini())) {
            const std::string text = dir.read("Kivo.ini");
            ASSERT_TRUE(isSavedOnTheWayTo(text, finished)) << "run " << run << ":\n" << text;
        }
    }

    // Temporary files of saves cut short.
    std::vector<std::filesystem::path> temporaryFiles() const
    {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().filename().string().starts_with("Kivo.ini."))
                found.push_back(entry.path());
        return found;
    }

    TempDir dir;
};

TEST_F(IniKill, IniFileIsWholeAfterEveryKill)
{
    const auto started = std::chrono::steady_clock::now();
    const ProgramRun first = runProgram(KIVO_CLI_PATH, statusArgs());
    const auto runTime = std::chrono::steady_clock::now() - started;
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string finished = dir.read("Kivo.ini");
    ASSERT_FALSE(finished.empty());
    ASSERT_EQ(runProgram(KIVO_CLI_PATH, statusArgs()).status, 0);
    ASSERT_EQ(dir.read("Kivo.ini"), finished) << "a second run must save the same file";

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const long runMicros = std::chrono::duration_cast<std::chrono::microseconds>(runTime).count();
    std::uniform_int_distribution<long> moment(0, runMicros);

    const int kills = countFrom("KIVO_KILLS", 50);
    int cutShort = 0;
    for (int kill = 0; kill < kills; ++kill) {
        prepareRun(kill, finished);
        {
            ChildProcess cli(KIVO_CLI_PATH, statusArgs());
            ::usleep(static_cast<useconds_t>(moment(random)));
            cutShort += cli.kill() ? 1 : 0;
        }
        expectWhole(kill, finished);
    }
    // A save cut short leaves its temporary file; the next save of a later run removes it once
    // it is old enough that no live run can still be writing it.
    const std::vector<std::filesystem::path> left = temporaryFiles();
    for (const std::filesystem::path& file : left)
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::minutes(2));
    ASSERT_EQ(runProgram(KIVO_CLI_PATH, statusArgs()).status, 0);
    EXPECT_TRUE(temporaryFiles().empty()) << "a later run cleans up what the killed ones left";
    std::cout << "IniKill: " << kills << " kills, " << cutShort
              << " while kivo-cli ran; the ini file was whole after every one; " << left.size()
              << " temporary files left behind, all removed by the next run\n";
}

// Stopped by SIGTERM at any moment against quadrix-sim, kivo-cli status ends in order: a run
// that has said anything to the device gives it its echo back, and the ini file is whole.
TEST_F(IniKill, StopAtAnyMomentGivesTheEchoBackAndLeavesTheIniWhole)
{
    const std::string port = dir.file("quadrix").string();
    const auto sim = startSimOnPty(port, dir.file("quadrix.log").string());
    const std::vector<std::string> args{"--port", port, "--ini", ini().string(), "status"};
    const auto commands = [&] { return loggedCommands(dir.read("quadrix.log")); };
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runProgram(KIVO_CLI_PATH, args).status, 0);
    const auto runTime = std::chrono::steady_clock::now() - started;
    const std::string finished = dir.read("Kivo.ini");

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count());
    const int stops = countFrom("KIVO_STOPS", 4);
    int cutShort = 0;
    for (int stop = 0; stop < stops; ++stop) {
        prepareRun(stop, finished);
        const std::size_t before = commands().size();
        ChildProcess cli(KIVO_CLI_PATH, args);
        ::usleep(static_cast<useconds_t>(moment(random)));
        const std::optional<int> status = cli.stop(SIGTERM);
        ASSERT_TRUE(status == 0 || status == 128 + SIGTERM ||
                    (status == -1 && commands().size() == before))
            << "stop " << stop << ": status " << status.value_or(-2);
        cutShort += status == 128 + SIGTERM ? 1 : 0;
        if (commands().size() > before) {
            for (int i = 0; i < 300 && commands().back() != "echo on\\n"; ++i)
                ::usleep(10'000);
            ASSERT_EQ(commands().back(), "echo on\\n") << "stop " << stop;
        }
        expectWhole(stop, finished);
    }
    std::cout << "IniKill: " << stops << " stops by SIGTERM, " << cutShort
              << " while kivo-cli ran; the Quadrix got its echo back and the ini file was whole "
                 "after every one\n";
}

} // namespace
} // namespace kivo::test
