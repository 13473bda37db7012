#pragma once

#include "cli/CliArguments.h"
#include "cli/ConsolePrompter.h"

#include "core/app/CommandChannel.h"
#include "core/app/KeyState.h"
#include "core/app/PanelApp.h"
#include "core/app/ProcessExit.h"
#include "core/app/Profile.h"
#include "core/app/SteadyClock.h"
#include "core/mirror/PanelState.h"

#include <string>

namespace kivo::cli {

// Exit statuses of kivo-cli.
enum ExitStatus { exitDone = 0, exitNoReply = 1, exitUsage = 2 };

// One headless panel: the ini file, the application object and the command channel over the
// port the arguments name. No keys are ever held, and a lost link ends the run with status 1.
class CliSession {
public:
    explicit CliSession(const CliArguments& arguments);
    ~CliSession();

    // Opens the link; on failure prints one line on stderr and returns false.
    bool open();

    PanelApp& app() { return app_; }
    CommandChannel& channel() { return channel_; }
    PanelState& state() { return state_; }
    Clock& clock() { return clock_; }
    Prompter& prompter() { return prompter_; }

private:
    class NoKeysHeld final : public KeyState {
    public:
        bool shiftHeld() const override { return false; }
        bool altHeld() const override { return false; }
    };
    class ExitOnLostLink final : public ProcessExit {
    public:
        [[noreturn]] void endProcess(int exitCode) override;
    };

    Profile profile_;
    PanelApp app_;
    PanelState state_;
    SteadyClock clock_;
    NoKeysHeld keys_;
    ConsolePrompter prompter_;
    ExitOnLostLink exit_;
    CommandChannel channel_;
};

} // namespace kivo::cli
