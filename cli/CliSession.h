#pragma once

#include "cli/CliArguments.h"
#include "cli/ConsolePrompter.h"
#include "cli/HeadlessPages.h"
#include "cli/HeadlessSeams.h"
#include "cli/StopSignal.h"

#include "core/base/SteadyClock.h"
#include "core/panel/PanelSession.h"

namespace kivo::cli {

// Exit statuses of kivo-cli.
enum ExitStatus { exitDone = 0, exitNoReply = 1, exitUsage = 2 };

// One headless panel over the port the arguments name: no keys are ever held, messages go to
// stderr, progress to stderr when that is a terminal, a lost link ends the run with status 1
// and a stop signal with 128 + its number, each after the orderly shutdown.
class CliSession {
public:
    explicit CliSession(const CliArguments& arguments);

    // Checks that the ini file was read, starts the trace the arguments ask for and opens the
    // link; on failure prints one line on stderr and returns false.
    bool open();
    // Walks the device through the start-up queries, as the panel does at start. Returns
    // exitDone when the device answered and was understood; otherwise the bring-up or this
    // has said why on stderr, and the status to end with.
    ExitStatus bringUp();
    // Whether the last bring-up, the one of a reset from the Serial Port page too, found the
    // device and understood it; says why on stderr when it did not.
    ExitStatus broughtUp();

    // Whether a trace asked for could not be written to the end: the run then has not done
    // all it was asked, and does not end with exitDone.
    static bool traceWasLost();

    PanelSession& panel() { return session_; }
    HeadlessPages& pages() { return pages_; }
    ConsolePrompter& prompter() { return prompter_; }

private:
    SteadyClock clock_;
    NoKeysHeld keys_;
    ConsolePrompter prompter_;
    ExitAfterShutdown exit_{exitNoReply};
    AbortOnStopSignal busy_;
    HeadlessPages pages_;
    PanelSession session_;
    std::optional<std::string> tracePath_;
};

} // namespace kivo::cli
