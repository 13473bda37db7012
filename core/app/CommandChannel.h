#pragma once

#include "core/app/Reply.h"
#include "core/app/Strings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo {

class Clock;
class KeyState;
class PanelApp;
class ProcessExit;
class ProgressSink;
class Prompter;
class TerminalModel;

// The one way the panel talks to the Quadrix: a command line out, the reply back as a value,
// following paged output, echoing the traffic into the Terminal, logging start-up reads, and
// ending the program on a dead link or the operator's Alt+Shift abort during a bring-up.
class CommandChannel {
public:
    // Every caller collects at most this many characters of a reply.
    static constexpr std::size_t replyLimit = 4607;
    // A device that pages forever must not hold the panel: paging stops after this many pages.
    static constexpr int maxContinuations = 256;

    struct Seams {
        Clock& clock;
        KeyState& keys;
        Prompter& prompter;
        ProcessExit& processExit;
    };

    CommandChannel(PanelApp& app, Seams seams);

    // Null while there is no Terminal or no progress display.
    void setTerminal(TerminalModel* terminal) { terminal_ = terminal; }
    void setProgress(ProgressSink* progress) { progress_ = progress; }

    // Sends one command without reading; returns the bytes written, 0 when nothing was sent.
    std::size_t sendCommand(std::string text);
    // Reads until the device falls silent: the bytes of one page as they came.
    Reply readReply(std::size_t limit = replyLimit);
    // Sends and collects the whole (paged) reply, blanks in front of each page dropped.
    Reply sendAndCollect(StringId command, bool retry);
    Reply sendTextAndCollect(const std::string& command, bool retry);
    void echoToTerminal(std::string_view text);

    // Whether a command can go out at all: the link is open.
    bool connected() const;

    // The command most recently sent.
    const std::string& lastCommand() const { return lastCommand_; }

private:
    Reply collect(const std::string& command, bool retry, int retryPauseMs);
    Reply readPage(bool retry, int retryPauseMs);
    void echoCommand(const std::string& command);
    void stepProgress();
    void checkLinkAndAbort();
    void endProgram();

    PanelApp& app_;
    Seams seams_;
    TerminalModel* terminal_ = nullptr;
    ProgressSink* progress_ = nullptr;
    std::string lastCommand_;
};

} // namespace kivo
