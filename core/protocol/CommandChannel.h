#pragma once

#include "core/base/Strings.h"
#include "core/protocol/Reply.h"

#include <cstddef>
#include <optional>
#include <span>
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
class TrafficEcho;

// What became of commands whose answers were read as they went out: the first one the device
// refused or left unanswered, with what it said.
struct AnswerCheck {
    std::string command; // empty when every command was taken
    std::string answer;  // the device's words; empty when it gave none
    bool refused = false;

    bool taken() const { return command.empty(); }
};

// The one way the panel talks to the Quadrix: a command line out, the reply back as a value,
// following paged output, echoing the traffic into the Terminal, logging start-up reads, and
// ending the program on a dead link or the operator's Alt+Shift abort during a bring-up.
class CommandChannel {
public:
    // Every caller collects at most this many characters of a reply.
    static constexpr std::size_t replyLimit = 4607;
    // A device that pages for ever must not hold the panel: paging stops after this many
    // pages, or once the pages have brought all a reply may hold, markers counted.
    static constexpr int maxContinuations = 100;

    struct Seams {
        Clock& clock;
        KeyState& keys;
        Prompter& prompter;
        ProcessExit& processExit;
        BusyHandler& busy;
    };

    CommandChannel(PanelApp& app, Seams seams);

    // Null while there is no Terminal or no progress display.
    void setTerminal(TrafficEcho* terminal) { terminal_ = terminal; }
    void setProgress(ProgressSink* progress) { progress_ = progress; }

    // Sends one command without reading its answer; returns the bytes written, 0 when nothing
    // was sent.
    std::size_t sendCommand(std::string text);
    // The answers to what was sent have been read elsewhere (the Terminal reads its own).
    void answersRead() { unreadAnswers_ = 0; }
    // From now on until `endAnswerCheck`, each command sent has its answer read before the
    // next goes out, so that a refusal or a silent device is noticed. Once one answer has not
    // come, the rest are not waited for: a silent device would make each of them wait.
    void beginAnswerCheck();
    AnswerCheck endAnswerCheck();
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

    PanelApp& app() { return app_; }

    // The command most recently sent.
    const std::string& lastCommand() const { return lastCommand_; }

    // The device paged on without end, and has not ended an answer with its prompt since.
    bool deviceKeptPaging() const { return keptPaging_; }

private:
    std::size_t transmit(std::string text);
    void checkAnswer();
    Reply collect(const std::string& command, bool retry, int retryPauseMs);
    Reply readPage(bool retry, int retryPauseMs);
    // `lateAnswers`: answers to commands sent without reading, where prompt-only answers
    // follow one another on one line.
    Reply readFramed(std::size_t limit, bool lateAnswers);
    Reply readUntilFramed(std::size_t limit, bool lateAnswers);
    long readLogged(std::span<char> buffer);
    int firstByteReads() const;
    // Empty reads in a row that end a reply without a prompt.
    int silenceReads() const;
    int linkPauseMs() const;
    void learnLongerPause();
    // Returns the bytes it read and dropped.
    std::size_t settleLine();
    void purgeBeforeSending();
    void drainUnreadAnswers();
    void echoCommand(const std::string& command);
    void stepProgress();
    void checkLinkAndAbort();
    void endProgram();

    PanelApp& app_;
    Seams seams_;
    TrafficEcho* terminal_ = nullptr;
    ProgressSink* progress_ = nullptr;
    std::string lastCommand_;
    // Commands sent without reading their answers, whose prompts are still to come.
    int unreadAnswers_ = 0;
    // The last exchange ended with the device's prompt and nothing was sent since.
    bool deviceReady_ = false;
    // How the last reply that had bytes ended without the prompt (silence or the limit): more
    // of it may still be on its way.
    std::optional<Reply::End> unfinishedEnd_;
    // Pauses inside replies that this link has shown, beyond what it says of itself.
    int learnedPauseMs_ = 0;
    bool keptPaging_ = false;
    bool checkingAnswers_ = false;
    bool answerCheckSilent_ = false;
    AnswerCheck answerCheck_;
};

} // namespace kivo
