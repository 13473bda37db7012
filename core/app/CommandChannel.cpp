#include "app/CommandChannel.h"

#include "app/Clock.h"
#include "app/KeyState.h"
#include "app/PanelApp.h"
#include "app/ProcessExit.h"
#include "app/ProgressSink.h"
#include "app/Prompter.h"
#include "app/TerminalSink.h"
#include "app/TerminalText.h"
#include "app/Text.h"

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

bool hasLineFeed(std::string_view text) { return contains(text, "\n"); }

} // namespace

CommandChannel::CommandChannel(PanelApp& app, Seams seams, const unsigned& windowCount)
    : app_(app), seams_(seams), windowCount_(windowCount)
{
}

std::size_t CommandChannel::sendCommand(std::string text)
{
    // A line copied from the Terminal keeps only what follows the prompt.
    if (const auto at = text.find(prompt()); at != std::string::npos)
        text.erase(0, at + prompt().size());
    if (!hasLineFeed(text) && text != " ")
        text = std::string(trim(text));
    if (!app_.connected() || text.empty())
        return 0;
    app_.rawReply.clear();
    app_.lastCommand = text;
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
    if (!terminal_ || hasLineFeed(command) || (app_.idle && app_.terminalActive) ||
        contains(app_.lastCommand, noEchoMarker))
        return;
    std::string line = command + std::string(displayLineBreak());
    const std::string current = terminal_->text();
    const std::string_view tail =
        std::string_view(current).substr(current.size() - std::min<std::size_t>(3, current.size()));
    if (!contains(tail, prompt()))
        line.insert(0, prompt());
    echoToTerminal(line);
}

std::size_t CommandChannel::readReply(std::size_t limit)
{
    app_.rawReply.clear();
    int tries = emptyReadTries;
    stepProgress();
    seams_.clock.sleepMs(firstReadDelayMs);
    std::array<char, Link::maxReadSize> chunk{};
    long got = -1;
    while (app_.serialHandle && app_.rawReply.size() < limit) {
        // Ask only for what still fits, so the reply never runs past its buffer.
        const std::size_t room = std::min(chunk.size(), limit - app_.rawReply.size());
        got = app_.serialHandle->read(std::span(chunk.data(), room));
        const std::string_view bytes(chunk.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
        app_.logFile.appendRead(bytes);
        app_.rawReply.append(bytes);
        tries = got > 0 ? 1 : tries - 1;
        if (tries <= 0 || got < 0)
            break;
    }
    const bool succeeded =
        (got >= 0 && !app_.rawReply.empty()) || app_.rawReply.size() >= limit;
    if (succeeded) {
        app_.failedReads = 0;
        app_.linkEstablished = true;
    } else {
        ++app_.failedReads;
    }
    checkLinkAndAbort();
    return app_.rawReply.size();
}

void CommandChannel::stepProgress()
{
    const int perQuarter = static_cast<int>(windowCount_ / 4);
    if (!app_.progressStepping || app_.progressCounter > perQuarter + 97)
        return;
    if (progress_)
        progress_->stepProgress();
    app_.progressCounter += 3 - perQuarter;
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

std::size_t CommandChannel::sendAndCollect(StringId command, bool retry)
{
    return collect(std::string(loadString(command)), retry, retryPauseForIdMs);
}

std::size_t CommandChannel::sendTextAndCollect(const std::string& command, bool retry)
{
    return collect(command, retry, retryPauseForTextMs);
}

std::size_t CommandChannel::collect(const std::string& command, bool retry, int retryPauseMs)
{
    app_.collectedReply.clear();
    app_.rawReply.clear();
    app_.lastCommand = command;
    int pages = 0;
    do {
        // A continuation that cannot be sent ends the reply rather than being tried forever.
        if (sendCommand(app_.lastCommand) == 0) {
            app_.moreContinuation = false;
            break;
        }
        if (readReply() == 0 && retry) {
            seams_.clock.sleepMs(retryPauseMs);
            readReply();
        }
        app_.collectedReply += trimLeft(app_.rawReply);
        app_.moreContinuation = followsMore() && ++pages <= maxContinuations;
    } while (app_.moreContinuation);
    echoToTerminal(app_.collectedReply);
    return app_.collectedReply.size();
}

bool CommandChannel::followsMore()
{
    std::string& reply = app_.collectedReply;
    const auto at = reply.find(moreMarker());
    if (at == std::string::npos || at == 0)
        return false;
    reply.resize(trimRight(std::string_view(reply).substr(0, at)).size());
    reply += displayLineBreak();
    app_.lastCommand = "\n";
    return true;
}

void CommandChannel::echoToTerminal(std::string_view text)
{
    if (!terminal_ || (app_.idle && app_.terminalActive))
        return;
    std::string combined = terminal_->text() + toDisplayLineBreaks(text);
    cutBackTerminalText(combined);
    terminal_->setText(combined, combined.size());
}

} // namespace kivo
