#include "core/app/CommandChannel.h"

#include "core/app/Clock.h"
#include "core/app/KeyState.h"
#include "core/app/PanelApp.h"
#include "core/app/ProcessExit.h"
#include "core/app/ProgressSink.h"
#include "core/app/Prompter.h"
#include "core/app/TerminalModel.h"
#include "core/app/Text.h"

#include <algorithm>
#include <array>

namespace kivo {
namespace {

constexpr int firstReadDelayMs = 100;
constexpr int emptyReadTries = 10;
constexpr int retryPauseForIdMs = 1200;
constexpr int retryPauseForTextMs = 2000;
constexpr int lostLinkAfterFailedReads = 4;
// Copying a Terminal line with this in it must not echo it again.
constexpr std::string_view noEchoMarker = "garbageboopboop";

std::string_view prompt() { return loadString(StringId::prompt); }
std::string_view moreMarker() { return loadString(StringId::moreMarker); }
std::string_view displayLineBreak() { return loadString(StringId::displayLineBreak); }

// A bare line feed makes the device print its next page; being a line feed it is neither
// trimmed, nor echoed, nor given a second terminator.
constexpr std::string_view nextPageRequest = "\n";

bool hasLineFeed(std::string_view text) { return contains(text, "\n"); }

// The device ends every answer with its prompt at the start of a line.
bool endsWithPrompt(std::string_view text)
{
    return text == prompt() || (text.ends_with(prompt()) &&
                                text.substr(0, text.size() - prompt().size()).ends_with('\n'));
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
    const long written = app_.serialHandle->write(text);
    if (written <= 0)
        return 0;
    app_.serialHandle->purgeReceive();
    return static_cast<std::size_t>(written);
}

void CommandChannel::echoCommand(const std::string& command)
{
    if (!terminal_ || hasLineFeed(command) || (app_.idle && terminal_->terminalActive) ||
        contains(lastCommand_, noEchoMarker))
        return;
    terminal_->echoCommand(command);
}

Reply CommandChannel::readReply(std::size_t limit)
{
    Reply reply{{}, Reply::End::silence};
    int tries = emptyReadTries;
    stepProgress();
    seams_.clock.sleepMs(firstReadDelayMs);
    std::array<char, Link::maxReadSize> chunk{};
    long got = -1;
    while (app_.serialHandle && reply.text.size() < limit) {
        // Ask only for what still fits, so the reply never runs past its limit.
        const std::size_t room = std::min(chunk.size(), limit - reply.text.size());
        got = app_.serialHandle->read(std::span(chunk.data(), room));
        const std::string_view bytes(chunk.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
        app_.logFile.appendRead(bytes);
        reply.text.append(bytes);
        tries = got > 0 ? 1 : tries - 1;
        if (tries <= 0 || got < 0)
            break;
    }
    if (reply.text.size() >= limit)
        reply.end = Reply::End::limit;
    else if (got < 0)
        reply.end = Reply::End::linkFailed;
    else if (endsWithPrompt(reply.text))
        reply.end = Reply::End::prompt;
    if ((got >= 0 && reply.answered()) || reply.end == Reply::End::limit) {
        app_.failedReads = 0;
        app_.linkEstablished = true;
    } else {
        ++app_.failedReads;
    }
    checkLinkAndAbort();
    return reply;
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
    std::string_view next = command;
    for (int pages = 0; pages <= maxContinuations; ++pages) {
        // A continuation that cannot be sent ends the reply rather than being tried forever.
        if (sendCommand(std::string(next)) == 0)
            break;
        const Reply page = readPage(retry, retryPauseMs);
        collected.text += trimLeft(page.text);
        collected.end = page.end;
        if (!cutAtMoreMarker(collected.text))
            break;
        next = nextPageRequest;
    }
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
    if (terminal_ && !(app_.idle && terminal_->terminalActive))
        terminal_->echo(text);
}

} // namespace kivo
