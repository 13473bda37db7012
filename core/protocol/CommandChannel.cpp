#include "core/protocol/CommandChannel.h"

#include "core/base/BusyHandler.h"
#include "core/base/Clock.h"
#include "core/base/KeyState.h"
#include "core/base/ProcessExit.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/base/Text.h"
#include "core/link/PanelApp.h"
#include "core/protocol/TrafficEcho.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kivo {
namespace {

// How long a device may take to begin an answer before the silence rule starts counting.
constexpr int firstByteWaitMs = 100;
constexpr int emptyReadTries = 10;
constexpr int retryPauseForIdMs = 1200;
constexpr int retryPauseForTextMs = 2000;
constexpr int lostLinkAfterFailedReads = 4;
constexpr int maxEmptyPages = 3;
// Late bytes after a reply taken as ended by silence: the link pauses for longer than was
// allowed for, at least this long; each time it happens again the allowance doubles, to a cap.
constexpr int firstLearnedPauseMs = 250;
constexpr int longestLearnedPauseMs = 2000;
// Settling after an unfinished reply reads at most this many silences' worth of reads, so a
// device that never stops sending cannot hold the panel there.
constexpr int settleSilences = 3;
// Copying a Terminal line with this in it must not echo it again.
constexpr std::string_view noEchoMarker = "garbageboopboop";

std::string_view prompt() { return loadString(StringId::prompt); }
std::string_view moreMarker() { return loadString(StringId::moreMarker); }
std::string_view displayLineBreak() { return loadString(StringId::displayLineBreak); }

// A bare line feed makes the device print its next page; being a line feed it is neither
// trimmed, nor echoed, nor given a second terminator.
constexpr std::string_view nextPageRequest = "\n";

// An answer's words, without the prompt that ends it.
std::string withoutPrompt(std::string_view answer)
{
    answer = trim(answer);
    if (answer.ends_with(trim(prompt())))
        answer.remove_suffix(trim(prompt()).size());
    return std::string(trim(answer));
}

bool hasLineFeed(std::string_view text) { return contains(text, "\n"); }

// Prompts in a stretch of late answers: set commands answer with the prompt alone, so
// several can stand on one line.
int countPrompts(std::string_view text)
{
    int count = 0;
    for (auto at = text.find(prompt()); at != std::string_view::npos;
         at = text.find(prompt(), at + prompt().size()))
        ++count;
    return count;
}

// A page that ends in the paging marker is cut before it; the device then gets a bare line
// feed for the next page. A marker at the very start does not continue.
bool cutAtMoreMarker(std::string& collected)
{
    const auto at = collected.find(moreMarker());
    if (at == std::string::npos || at == 0)
        return false;
    collected.resize(trimRight(std::string_view(collected).substr(0, at)).size());
    collected += displayLineBreak();
    return true;
}

} // namespace

CommandChannel::CommandChannel(PanelApp& app, Seams seams) : app_(app), seams_(seams) {}

bool CommandChannel::connected() const { return app_.connected(); }

std::size_t CommandChannel::sendCommand(std::string text)
{
    const std::size_t written = transmit(std::move(text));
    if (written > 0) {
        deviceReady_ = false;
        // In adjustment mode the device answers single keys without a prompt.
        if (app_.interactiveMode)
            return written;
        if (checkingAnswers_)
            checkAnswer();
        else
            ++unreadAnswers_;
    }
    return written;
}

void CommandChannel::beginAnswerCheck()
{
    checkingAnswers_ = true;
    answerCheckSilent_ = false;
    answerCheck_ = {};
}

AnswerCheck CommandChannel::endAnswerCheck()
{
    checkingAnswers_ = false;
    return std::exchange(answerCheck_, {});
}

void CommandChannel::checkAnswer()
{
    // The device already went silent in this check: waiting again would only make it late.
    if (answerCheckSilent_) {
        ++unreadAnswers_;
        return;
    }
    // A silent answer is not counted towards a lost link: the caller reports it.
    const Reply reply = readFramed(replyLimit, false);
    deviceReady_ = reply.end == Reply::End::prompt;
    const bool refused = isRefusal(reply.text);
    if (deviceReady_ && !refused)
        return;
    answerCheckSilent_ = !deviceReady_;
    if (answerCheck_.taken())
        answerCheck_ = {lastCommand_, withoutPrompt(reply.text), refused};
}

std::size_t CommandChannel::transmit(std::string text)
{
    // A line copied from the Terminal keeps only what follows the prompt.
    if (const auto at = text.find(prompt()); at != std::string::npos)
        text.erase(0, at + prompt().size());
    if (!hasLineFeed(text) && text != " ")
        text = std::string(trim(text));
    if (!app_.connected() || text.empty())
        return 0;
    lastCommand_ = text;
    echoCommand(text);
    if (!app_.interactiveMode && !hasLineFeed(text))
        text += '\n';
    // Whatever is still queued belongs to earlier commands. Dropped before the command goes
    // out, it can never take a byte of this command's answer with it.
    purgeBeforeSending();
    const long written = app_.serialHandle->write(text);
    if (written > 0)
        return static_cast<std::size_t>(written);
    // A line that cannot be written is as lost as one that cannot be read: an adapter pulled
    // out fails every write, and no read would ever be tried to count it.
    ++app_.failedReads;
    checkLinkAndAbort();
    return 0;
}

void CommandChannel::echoCommand(const std::string& command)
{
    if (!terminal_ || hasLineFeed(command) || (app_.idle && terminal_->showsTrafficItself()) ||
        contains(lastCommand_, noEchoMarker))
        return;
    terminal_->echoCommand(command);
}

Reply CommandChannel::readReply(std::size_t limit)
{
    stepProgress();
    const Reply reply = readFramed(limit, false);
    const bool failed = reply.end == Reply::End::linkFailed;
    if ((!failed && reply.answered()) || reply.end == Reply::End::limit) {
        app_.failedReads = 0;
        app_.linkEstablished = true;
    } else {
        ++app_.failedReads;
    }
    checkLinkAndAbort();
    return reply;
}

Reply CommandChannel::readFramed(std::size_t limit, bool lateAnswers)
{
    Reply reply = readUntilFramed(limit, lateAnswers);
    const bool unfinished =
        reply.answered() && (reply.end == Reply::End::silence || reply.end == Reply::End::limit);
    unfinishedEnd_ = unfinished ? std::optional(reply.end) : std::nullopt;
    return reply;
}

Reply CommandChannel::readUntilFramed(std::size_t limit, bool lateAnswers)
{
    Reply reply{{}, Reply::End::silence};
    // The device has the usual first-byte wait to start its answer, spent reading so that
    // its first byte is taken the moment it comes; after that, as ever, ten empty reads.
    int tries = emptyReadTries + firstByteReads();
    std::array<char, Link::maxReadSize> chunk{};
    while (app_.serialHandle && reply.text.size() < limit) {
        // Ask only for what still fits, so the reply never runs past its limit.
        const std::size_t room = std::min(chunk.size(), limit - reply.text.size());
        const long got = readLogged(std::span(chunk.data(), room));
        if (got < 0) {
            reply.end = Reply::End::linkFailed;
            return reply;
        }
        reply.text.append(chunk.data(), static_cast<std::size_t>(got));
        if (got == 0 && --tries <= 0)
            break;
        if (got == 0)
            continue;
        // Once bytes have come, a silence longer than the link's own pauses ends the reply.
        tries = silenceReads();
        // A read that stopped short stopped where the line paused. The device's prompt or its
        // paging marker at the end of the bytes then ends the page; at the end of a full read
        // more may be on its way, and the page goes on.
        if (static_cast<std::size_t>(got) == room)
            continue;
        if (endsWithPrompt(reply.text) || (lateAnswers && reply.text.ends_with(prompt()))) {
            reply.end = Reply::End::prompt;
            return reply;
        }
        if (reply.text.ends_with(moreMarker())) {
            reply.end = Reply::End::more;
            return reply;
        }
    }
    if (reply.text.size() >= limit)
        reply.end = Reply::End::limit;
    return reply;
}

long CommandChannel::readLogged(std::span<char> buffer)
{
    const long got = app_.serialHandle->read(buffer);
    seams_.busy.whileBusy();
    app_.logFile.appendRead({buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0});
    return got;
}

int CommandChannel::silenceReads() const
{
    const int pauseMs = linkPauseMs();
    // A line that passes bytes on as they come: one empty read is silence enough.
    if (pauseMs == 0)
        return 1;
    // Twice the longest pause, so that no pause of the link's own ends a reply.
    const int readMs = std::max(1, app_.serialHandle->readTimeoutMs());
    return (2 * pauseMs + readMs - 1) / readMs;
}

int CommandChannel::linkPauseMs() const
{
    return app_.serialHandle ? std::max(app_.serialHandle->pauseMs(), learnedPauseMs_) : 0;
}

void CommandChannel::learnLongerPause()
{
    learnedPauseMs_ =
        std::min(longestLearnedPauseMs, std::max(firstLearnedPauseMs, 2 * linkPauseMs()));
}

void CommandChannel::purgeBeforeSending()
{
    const std::optional<Reply::End> unfinished = std::exchange(unfinishedEnd_, std::nullopt);
    std::size_t late = unfinished && linkPauseMs() > 0 ? settleLine() : 0;
    late += app_.serialHandle->purgeReceive();
    // More of a reply came after the silence that was taken as its end.
    if (late > 0 && unfinished == Reply::End::silence)
        learnLongerPause();
}

std::size_t CommandChannel::settleLine()
{
    // On a link that pauses, the rest of a reply that ended without its prompt may still be on
    // its way: it is read and dropped here, never taken as the answer to the next command.
    std::array<char, Link::maxReadSize> chunk{};
    std::size_t dropped = 0;
    const int maxReads = settleSilences * silenceReads();
    for (int reads = 0, quiet = silenceReads(); quiet > 0 && reads < maxReads; ++reads) {
        const long got = readLogged(chunk);
        if (got < 0)
            break;
        dropped += static_cast<std::size_t>(got);
        quiet = got == 0 ? quiet - 1 : silenceReads();
    }
    return dropped;
}

int CommandChannel::firstByteReads() const
{
    const int readMs = std::max(1, app_.serialHandle ? app_.serialHandle->readTimeoutMs() : 1);
    return (firstByteWaitMs + readMs - 1) / readMs;
}

void CommandChannel::pauseBeforeQuery(int ms)
{
    if (!deviceReady_)
        seams_.clock.sleepMs(ms);
}

void CommandChannel::drainUnreadAnswers()
{
    // Each command sent without reading ends its answer with a prompt. Left in the line, the
    // first of those would end the next query's answer before it began.
    while (unreadAnswers_ > 0) {
        const Reply late = readFramed(replyLimit, true);
        if (late.end != Reply::End::prompt)
            break;
        unreadAnswers_ -= std::max(1, countPrompts(late.text));
    }
    unreadAnswers_ = 0;
}

void CommandChannel::stepProgress()
{
    if (!app_.progressStepping || app_.progressCounter > app_.progressCounterLimit())
        return;
    if (progress_)
        progress_->stepProgress();
    app_.progressCounter += app_.progressStep;
}

void CommandChannel::checkLinkAndAbort()
{
    if (app_.failedReads > lostLinkAfterFailedReads && app_.linkEstablished) {
        seams_.prompter.tell(std::string(loadString(StringId::lostLink)));
        endProgram();
    } else if (!app_.idle && seams_.keys.shiftHeld() && seams_.keys.altHeld()) {
        endProgram();
    } else if (seams_.busy.abortRequested()) {
        // The operator closed the window while the device was busy.
        endProgram();
    }
}

void CommandChannel::endProgram()
{
    app_.shutdown();
    seams_.processExit.endProcess(0);
}

Reply CommandChannel::sendAndCollect(StringId command, bool retry)
{
    return collect(std::string(loadString(command)), retry, retryPauseForIdMs);
}

Reply CommandChannel::sendTextAndCollect(const std::string& command, bool retry)
{
    return collect(command, retry, retryPauseForTextMs);
}

Reply CommandChannel::collect(const std::string& command, bool retry, int retryPauseMs)
{
    Reply collected;
    if (app_.connected())
        drainUnreadAnswers();
    std::string_view next = command;
    int emptyPages = 0;
    std::size_t received = 0;
    for (int pages = 1;; ++pages) {
        // A continuation that cannot be sent ends the reply rather than being tried forever.
        if (transmit(std::string(next)) == 0)
            break;
        const Reply page = readPage(retry, retryPauseMs);
        received += page.text.size();
        collected.text += trimLeft(page.text);
        collected.end = page.end;
        emptyPages = trim(page.text) == moreMarker() ? emptyPages + 1 : 0;
        if (!cutAtMoreMarker(collected.text))
            break;
        // A device that pages on with nothing to show, or past all a reply may hold, is not
        // followed any further; nor, until it ends an answer with its prompt again, is one
        // that has done so before.
        if (keptPaging_ || emptyPages >= maxEmptyPages || received >= replyLimit ||
            pages > maxContinuations) {
            collected.end = Reply::End::paging;
            break;
        }
        next = nextPageRequest;
    }
    keptPaging_ =
        collected.end == Reply::End::paging || (keptPaging_ && collected.end != Reply::End::prompt);
    deviceReady_ = collected.end == Reply::End::prompt;
    echoToTerminal(collected.text);
    return collected;
}

Reply CommandChannel::readPage(bool retry, int retryPauseMs)
{
    const Reply first = readReply();
    if (first.answered() || !retry)
        return first;
    seams_.clock.sleepMs(retryPauseMs);
    return readReply();
}

void CommandChannel::echoToTerminal(std::string_view text)
{
    if (terminal_ && !(app_.idle && terminal_->showsTrafficItself()))
        terminal_->echo(text);
}

} // namespace kivo
