#pragma once

#include "core/app/Reply.h"
#include "core/app/Strings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo {

class BusyHandler;
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
        BusyHandler& busy;
    };

    CommandChannel(PanelApp& app, Seams seams);

    // Null while there is no Terminal or no progress display.
    void setTerminal(TerminalModel* terminal) { terminal_ = terminal; }
    void setProgress(ProgressSink* progress) { progress_ = progress; }

    // Sends one command without reading its answer; returns the bytes written, 0 when nothing
    // was sent.
    std::size_t sendCommand(std::string text);
    // The answers to what was sent have been read elsewhere (the Terminal reads its own).
    void answersRead() { unreadAnswers_ = 0; }
    // Reads one page: until the device's prompt or paging marker ends it, or else until the
    // device falls silent.
    Reply readReply(std::size_t limit = replyLimit);
    // A pause a query needs when the device may still be busy with a command whose answer
    // went unread. A device whose last answer ended with its prompt has said it is ready, and
    // the pause is skipped.
    void pauseBeforeQuery(int ms);
    // Sends and collects the whole (paged) reply, blanks in front of each page dropped.
    Reply sendAndCollect(StringId command, bool retry);
    Reply sendTextAndCollect(const std::string& command, bool retry);
    void echoToTerminal(std::string_view text);

    // Whether a command can go out at all: the link is open.
    bool connected() const;

    // The command most recently sent.
    const std::string& lastCommand() const { return lastCommand_; }

private:
    std::size_t transmit(std::string text);
    Reply collect(const std::string& command, bool retry, int retryPauseMs);
    Reply readPage(bool retry, int retryPauseMs);
    // `lateAnswers`: answers to commands sent without reading, where prompt-only answers
    // follow one another on one line.
    Reply readFramed(std::size_t limit, bool lateAnswers);
    int firstByteReads() const;
    void drainUnreadAnswers();
    void echoCommand(const std::string& command);
    void stepProgress();
    void checkLinkAndAbort();
    void endProgram();

    PanelApp& app_;
    Seams seams_;
    TerminalModel* terminal_ = nullptr;
    ProgressSink* progress_ = nullptr;
    std::string lastCommand_;
    // Commands sent without reading their answers, whose prompts are still to come.
    int unreadAnswers_ = 0;
    // The last exchange ended with the device's prompt and nothing was sent since.
    bool deviceReady_ = false;
};

} // namespace kivo
