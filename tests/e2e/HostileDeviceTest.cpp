#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <unistd.h>

namespace kivo::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The ways quadrix-sim --misbehave fails, each from the action's own first command on.
const std::vector<std::string> hostileModes{"silent", "error",    "garbage", "nan",
                                            "huge",   "negative", "vanish"};

// One presentation of two shots, for play.
const std::string showIni = "[PE]\nloop=0\n[P1INFO]\nname=Show\nshots=2\n"
                            "s1=200 Shot 1~ 1 11 19 188 144\ns2=200 Shot 2~ 3 100 100 300 250\n";

// An output in autosync, locked on its reference, until the device misbehaves.
const std::string inAutosync =
    "host\tOutput mode: autosync\\r\\nOutput status: locked\\r\\n"
    "                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL\\r\\n"
    "Output timing:         24  136 160 1024 3   6  29  768  48363 4    0    0    0\\r\\n\n";

struct HostileCase {
    const char* name;
    std::vector<std::string> action;
    // The first command the device answers as the mode says: the action's own first one,
    // after the start-up queries it shares with status.
    const char* from;
    // The modes in which the action can still be carried out and confirmed.
    std::set<std::string> harmless = {};
    std::string ini = {};
    // Fixed replies (quadrix-sim --replies) that set the scene before the first command.
    std::string replies = {};
    // The modes in which an action that ends by coming up on the line again (at the new rate,
    // or at the old one after a rate that did not take; after a reset) cannot be understood
    // there either, and says so on a line of its own.
    std::set<std::string> failsAgain = {};
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

// What the operator is told on stderr, without play's progress lines.
std::vector<std::string> complaints(const std::string& err)
{
    std::vector<std::string> lines = linesOf(err);
    std::erase_if(lines, [](const std::string& line) { return line.starts_with("shot "); });
    return lines;
}

// kivo-cli run against one misbehaving quadrix-sim of its own.
class HostileRun {
public:
    HostileRun(const HostileCase& c, const std::string& mode)
    {
        if (!c.ini.empty())
            dir_.write("Kivo.ini", c.ini);
        const std::string link = dir_.file("quadrix").string();
        std::vector<std::string> options{"--pty",
                                         link,
                                         "--log",
                                         dir_.file("quadrix.log").string(),
                                         "--misbehave",
                                         mode,
                                         "--misbehave-from",
                                         c.from};
        if (!c.replies.empty()) {
            dir_.write("replies.txt", c.replies);
            options.insert(options.end(), {"--replies", dir_.file("replies.txt").string()});
        }
        sim_ = std::make_unique<ChildProcess>(QUADRIX_SIM_PATH, options);
        for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
            ::usleep(10'000);
        std::vector<std::string> args{"--ini", dir_.file("Kivo.ini").string(), "--port", link};
        args.insert(args.end(), c.action.begin(), c.action.end());
        cli_ = std::make_unique<ChildProcess>(KIVO_CLI_PATH, args, dir_.file("out").string(),
                                              dir_.file("err").string());
    }

    int status() { return cli_->waitFor(90'000).value_or(-1); }
    std::string err() const { return dir_.read("err"); }
    std::string out() const { return dir_.read("out"); }
    // Whether the device was asked the command its misbehaviour starts from.
    bool reached(const std::string& from) const
    {
        for (const std::string& line : linesOf(dir_.read("quadrix.log")))
            if (line.substr(line.find(' ') + 1).starts_with(from))
                return true;
        return false;
    }

private:
    TempDir dir_;
    std::unique_ptr<ChildProcess> sim_;
    std::unique_ptr<ChildProcess> cli_;
};

class HostileDevice : public ::testing::TestWithParam<HostileCase> {};

// Each mode runs on its own simulated device at the same time as the others: the runs spend
// their time waiting for answers that do not come.
TEST_P(HostileDevice, ActionFailsWithOneLineUnlessItWasCarriedOut)
{
    const HostileCase& c = GetParam();
    std::vector<std::unique_ptr<HostileRun>> runs;
    for (const std::string& mode : hostileModes)
        runs.push_back(std::make_unique<HostileRun>(c, mode));
    for (std::size_t m = 0; m < hostileModes.size(); ++m) {
        const std::string& mode = hostileModes[m];
        HostileRun& run = *runs[m];
        SCOPED_TRACE(mode);
        const int status = run.status();
        EXPECT_TRUE(run.reached(c.from)) << "the action never got to \"" << c.from << "\"";
        if (c.harmless.contains(mode)) {
            EXPECT_EQ(status, 0) << run.err();
            continue;
        }
        EXPECT_EQ(status, 1) << run.out();
        const std::vector<std::string> told = complaints(run.err());
        EXPECT_EQ(told.size(), c.failsAgain.contains(mode) ? 2u : 1u) << run.err();
        EXPECT_THAT(told, ::testing::Each(StartsWith("kivo-cli: ")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Actions, HostileDevice,
    ::testing::Values(
        // send prints whatever came back: a refusal, no answer, or one that never reaches the
        // device's prompt (noise, or a device gone mid-answer) fails it.
        HostileCase{"send", {"send", "wsr 3"}, "wsr 3", {"nan", "huge", "negative"}},
        HostileCase{"arrangeGrid", {"arrange", "grid"}, "win all off"},
        HostileCase{"place", {"place", "3", "10", "20", "300", "200"}, "wdr 3 "},
        HostileCase{"windowsOff", {"windows", "off", "3"}, "win 3"},
        HostileCase{"source", {"source", "3", "10", "20", "320", "240"}, "wsr 3 "},
        HostileCase{"level", {"level", "3", "gamma", "1.5"}, "gamma 3 "},
        // A mode change answers with the prompt alone and is read back with "ck": numbers in
        // neither can be wrong.
        HostileCase{"chromaKeyOn", {"chromakey", "on"}, "ck on", {"nan", "huge", "negative"}},
        HostileCase{"chromaKeyOff", {"chromakey", "off"}, "ck off", {"nan", "huge", "negative"}},
        HostileCase{"outputRecall", {"output", "recall", "2"}, "host load"},
        HostileCase{"inputRecall", {"input", "recall", "2", "1"}, "rgbload"},
        HostileCase{
            "inputRecallWithLevels", {"input", "recall", "2", "1", "--with-levels"}, "rgbload"},
        HostileCase{"outputModeFree", {"output", "mode", "free"}, "host free", {}, {}, inAutosync},
        HostileCase{"outputModeAuto", {"output", "mode", "auto"}, "host auto"},
        HostileCase{"chromaKeyPreset", {"chromakey", "cyan"}, "ckc -270"},
        // The front panel cannot be asked: its answer, the prompt alone, is all there is.
        HostileCase{"frontPanelLock",
                    {"frontpanel", "lock"},
                    "frontpanel off",
                    {"nan", "huge", "negative"}},
        HostileCase{"frontPanelUnlock",
                    {"frontpanel", "unlock"},
                    "frontpanel on",
                    {"nan", "huge", "negative"}},
        // Shot commands answer with the prompt alone: numbers in it cannot be wrong.
        HostileCase{"play", {"play", "Show"}, "win all off", {"nan", "huge", "negative"}, showIni},
        HostileCase{"outputSave", {"output", "save", "3", "STUDIO"}, "host name"},
        HostileCase{"outputDelete", {"output", "delete", "1"}, "hdel"},
        HostileCase{"baud",
                    {"baud", "115200"},
                    "baud 115200",
                    {},
                    {},
                    {},
                    {"silent", "garbage", "nan", "huge", "negative"}},
        // A device silent after the restore is watched for 37 s.
        HostileCase{"factoryReset",
                    {"factory-reset", "--yes"},
                    "restorefactorydefaults",
                    {},
                    {},
                    {},
                    {"silent", "garbage", "nan", "huge", "negative"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::test
