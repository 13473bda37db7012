#include "tests/e2e/SimulatedQuadrix.h"
#include "tests/support/TempDir.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace kivo::test {
namespace {

using ::testing::HasSubstr;

// Sets an environment variable for the programs a test starts, and puts it back after.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The panel run as its own program against quadrix-sim on a pseudo-terminal, ended from
// outside as a logout, a kill or a dying display server would end it. Panels started here find
// each other only through this test's own folder, so one the developer has open takes no part.
class PanelEnd : public ::testing::Test {
protected:
    void startPanel()
    {
        sim = startSimOnPty(dir.file("quadrix").string(), dir.file("quadrix.log").string());
        panel = std::make_unique<ChildProcess>(
            KIVO_PATH,
            std::vector<std::string>{"--port", dir.file("quadrix").string(), "--ini",
                                     dir.file("Kivo.ini").string()},
            "/dev/null", dir.file("panel.err").string());
    }

    std::vector<std::string> commands() const { return loggedCommands(dir.read("quadrix.log")); }

    // Waits until the commands received end with `last`.
    bool waitForLast(const std::vector<std::string>& last, int timeoutMs = 60000) const
    {
        for (int waited = 0; waited < timeoutMs; waited += 10) {
            const std::vector<std::string> sent = commands();
            if (sent.size() >= last.size() &&
                std::equal(last.begin(), last.end(), sent.end() - std::ssize(last)))
                return true;
            ::usleep(10'000);
        }
        return false;
    }

    bool waitForCommand(const std::string& command) const
    {
        for (int waited = 0; waited < 60000; waited += 10) {
            const std::vector<std::string> sent = commands();
            if (std::find(sent.begin(), sent.end(), command) != sent.end())
                return true;
            ::usleep(10'000);
        }
        return false;
    }

    // The bring-up ends by asking the device's rate and its echo again.
    bool waitForBringUp() const
    {
        const bool up = waitForLast({"baud\\n", "echo\\n"});
        ::usleep(300'000);
        return up;
    }

    void expectEndedInOrder() const
    {
        EXPECT_TRUE(waitForLast({"echo on\\n"}, 5000))
            << "the device got its echo back; last command: "
            << (commands().empty() ? "none" : commands().back()) << "\n"
            << dir.read("panel.err");
        const std::string ini = dir.read("Kivo.ini");
        EXPECT_THAT(ini, HasSubstr("[SERIALPORT]"));
        EXPECT_THAT(ini, HasSubstr("baudrate=9600"));
    }

    TempDir dir;
    ScopedVariable sockets{"TMPDIR", dir.path().string()};
    ScopedVariable platform{"QT_QPA_PLATFORM", "offscreen"};
    std::unique_ptr<ChildProcess> sim;
    std::unique_ptr<ChildProcess> panel;
};

struct SignalCase {
    const char* name;
    int signal;
};

class PanelSignal : public PanelEnd, public ::testing::WithParamInterface<SignalCase> {};

TEST_P(PanelSignal, EndsThePanelInOrderWithTheShellsStatus)
{
    startPanel();
    ASSERT_TRUE(waitForBringUp());
    EXPECT_EQ(panel->stop(GetParam().signal), 128 + GetParam().signal);
    expectEndedInOrder();
}

INSTANTIATE_TEST_SUITE_P(Signals, PanelSignal,
                         ::testing::Values(SignalCase{"Term", SIGTERM},
                                           SignalCase{"Hangup", SIGHUP},
                                           SignalCase{"Interrupt", SIGINT}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelEnd, SigtermDuringTheBringUpAbandonsItInOrder)
{
    startPanel();
    ASSERT_TRUE(waitForCommand("hlist 1 27\\n"));
    EXPECT_EQ(panel->stop(SIGTERM), 128 + SIGTERM);
    expectEndedInOrder();
    EXPECT_LT(commands().size(), 40u) << "the bring-up stopped at once";
}

TEST_F(PanelEnd, LostDisplayEndsThePanelInOrder)
{
    if (!std::filesystem::exists("/usr/bin/Xvfb"))
        GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps)";
    const int number = 100 + static_cast<int>(::getpid() % 800);
    ChildProcess display("/usr/bin/Xvfb", {":" + std::to_string(number), "-nolisten", "tcp"});
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    for (int i = 0; i < 500 && !std::filesystem::exists(socket); ++i)
        ::usleep(10'000);
    const ScopedVariable onDisplay("DISPLAY", ":" + std::to_string(number));
    const ScopedVariable onX11("QT_QPA_PLATFORM", "xcb");
    startPanel();
    ASSERT_TRUE(waitForBringUp());
    EXPECT_TRUE(display.kill());
    EXPECT_TRUE(panel->waitFor(10'000).has_value()) << "the panel ends with its display";
    expectEndedInOrder();
}

} // namespace
} // namespace kivo::test
