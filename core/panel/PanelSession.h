#pragma once

#include "core/inputs/InputSettings.h"
#include "core/inputs/MirrorInputWindows.h"
#include "core/link/LinkOpener.h"
#include "core/link/PanelApp.h"
#include "core/link/PortReopener.h"
#include "core/mirror/PanelState.h"
#include "core/output/OutputSettings.h"
#include "core/panel/BringUp.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/NumericEntry.h"
#include "core/settings/Profile.h"
#include "core/terminal/TerminalConsole.h"
#include "core/terminal/TerminalModel.h"

#include <filesystem>
#include <optional>
#include <string>

namespace kivo {

class BusyHandler;
class Clock;
class KeyState;
class PanelPages;
class ProcessExit;
class ProgressSink;
class Prompter;

// What a front end hands to a panel: time, the keyboard, message boxes, the way out, what it
// does while the device is busy, and the pages and progress display the bring-up talks to.
struct PanelSeams {
    Clock& clock;
    KeyState& keys;
    Prompter& prompter;
    ProcessExit& processExit;
    BusyHandler& busy;
    PanelPages& pages;
    ProgressSink& progress;
};

// Which ini file and port a panel uses, and where its raw link log goes.
struct SessionOptions {
    std::filesystem::path iniPath;
    std::optional<std::string> port; // instead of the saved port, for this run only
    std::string logPath = RawLinkLog::fileName;
};

// One panel without its windows: the ini file, the application object, the device mirror and
// page state, the command channel, the Terminal's text and console, the numeric-entry checks,
// the bring-up and the timing settings, wired together once. The panel, kivo-cli and the benchmarks
// all start from one.
class PanelSession final : public PortReopener {
public:
    // Reads the serial settings and opens the raw link log.
    PanelSession(const SessionOptions& options, PanelSeams seams);
    // Shuts the panel down in order: echo restored, settings saved, link closed.
    ~PanelSession() override;
    PanelSession(const PanelSession&) = delete;
    PanelSession& operator=(const PanelSession&) = delete;

    // Opens the port; on failure `error` says why and the panel stays unconnected. The
    // session keeps its own copy of `opener` for opening the port again.
    bool openLink(const LinkOpener& opener, std::string& error);
    // Opens the port again with the opener of the last openLink.
    bool reopenPort(std::string& error) override;

    Profile& profile() { return profile_; }
    PanelApp& app() { return app_; }
    PanelState& state() { return state_; }
    DeviceMirror& mirror() { return state_.mirror; }
    CommandChannel& channel() { return channel_; }
    TerminalModel& terminal() { return terminal_; }
    TerminalConsole& console() { return console_; }
    NumericEntry& numericEntry() { return numericEntry_; }
    BringUp& bringUp() { return bringUp_; }
    OutputSettings& outputSettings() { return outputSettings_; }
    InputSettings& inputSettings() { return inputSettings_; }
    InputWindows& inputWindows() { return inputWindows_; }
    const PanelSeams& seams() const { return seams_; }

private:
    PanelSeams seams_;
    Profile profile_;
    PanelApp app_;
    PanelState state_;
    TerminalModel terminal_;
    CommandChannel channel_;
    TerminalConsole console_;
    NumericEntry numericEntry_;
    BringUp bringUp_;
    OutputSettings outputSettings_;
    MirrorInputWindows inputWindows_;
    InputSettings inputSettings_;
    LinkOpener opener_;
};

} // namespace kivo
