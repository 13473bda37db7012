#include "core/app/CommandChannel.h"

#include "core/app/CaptionControl.h"
#include "core/app/Clock.h"
#include "core/app/EditControl.h"
#include "core/app/KeyState.h"
#include "core/app/PanelApp.h"
#include "core/app/ProcessExit.h"
#include "core/app/ProgressSink.h"
#include "core/app/Prompter.h"
#include "core/app/TerminalSink.h"
#include "core/app/TerminalText.h"
#include "core/app/Text.h"
#include "core/app/TrackbarControl.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

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

constexpr std::size_t trackedIntegerLength = 5;
constexpr std::size_t trackedRealLength = 7;

// The number a box holds, only when the whole text (blanks around it aside) is that number:
// "12abc" is no more a level than "abc" is.
template <typename Number> std::optional<Number> readWhole(std::string_view text)
{
    text = trim(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A zero counts only when the operator typed it: an empty or garbled box also reads as 0.
bool acceptableZero(std::string_view text, double value)
{
    return value != 0.0 || trimLeft(text).starts_with('0');
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string formatReal(double value)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.02lf", value);
    return text.data();
}

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
    const bool succeeded = (got >= 0 && !app_.rawReply.empty()) || app_.rawReply.size() >= limit;
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

bool CommandChannel::ReadCommForTerm(std::size_t limit)
{
    std::size_t total = 0;
    int tries = emptyReadTries;
    app_.rawReply.clear();
    std::array<char, Link::maxReadSize> chunk{};
    long got = -1;
    while (app_.serialHandle) {
        errno = 0;
        got = app_.serialHandle->read(chunk);
        if (got < 0) {
            reportBadTerminalRead();
            break;
        }
        std::string shown =
            toDisplayLineBreaks(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
        if (terminal_ && terminal_->text().ends_with('\n'))
            shown = std::string(trimLeft(shown));
        showReceived(shown);
        app_.rawReply = shown;
        total += shown.size();
        tries = got > 0 ? (total > 0 ? 1 : emptyReadTries) : tries - 1;
        if (tries <= 0 || total >= limit)
            break;
    }
    return got >= 0;
}

void CommandChannel::showReceived(const std::string& displayText)
{
    if (!terminal_ || displayText.empty())
        return;
    std::string combined = terminal_->text() + displayText;
    if (cutBackTerminalText(combined))
        terminal_->setText(combined, combined.size());
    else
        terminal_->appendText(displayText);
}

void CommandChannel::reportBadTerminalRead()
{
    if (!app_.connected())
        return;
    const std::string reason =
        errno != 0 ? std::strerror(errno) : std::string(loadString(StringId::linkReadFailed));
    seams_.prompter.ask(reason, Prompter::Buttons::ok, Prompter::Icon::information,
                        std::string(loadString(StringId::badTerminalRead)));
}

void CommandChannel::echoToTerminal(std::string_view text)
{
    if (!terminal_ || (app_.idle && app_.terminalActive))
        return;
    std::string combined = terminal_->text() + toDisplayLineBreaks(text);
    cutBackTerminalText(combined);
    terminal_->setText(combined, combined.size());
}

bool CommandChannel::shouldCheck(const EditControl& edit) const
{
    return app_.idle && edit.isModified();
}

void CommandChannel::refuse(EditControl& edit, const std::string& message,
                            const std::string& restored)
{
    seams_.prompter.tell(message);
    edit.replaceText(restored);
    edit.takeFocus();
    edit.selectAll();
    edit.clearModified();
}

bool CommandChannel::checkTrackedInteger(StringId command, int window, TrackbarControl& trackbar,
                                         EditControl& edit, CaptionControl& freezeButton,
                                         bool& frozen)
{
    if (!shouldCheck(edit))
        return true;
    freezeButton.setCaption(std::string(loadString(StringId::freezeImageCaption)));
    frozen = false;
    const std::string text = edit.text();
    const std::optional<int> value = readWhole<int>(text);
    if (!value || *value < trackbar.minimum() || *value > trackbar.maximum() ||
        !acceptableZero(text, *value)) {
        refuse(edit, formatString(StringId::integerRange, trackbar.minimum(), trackbar.maximum()),
               std::to_string(trackbar.position()));
        return false;
    }
    trackbar.setPosition(*value);
    sendCommand(formatString(command, window, *value));
    truncateEditText(edit, text, trackedIntegerLength);
    return true;
}

bool CommandChannel::checkTrackedReal(StringId command, int window, TrackbarControl& trackbar,
                                      EditControl& edit, double& stored, double lower, double upper,
                                      double scale)
{
    if (!shouldCheck(edit))
        return true;
    const std::string text = edit.text();
    const std::optional<double> value = readWhole<double>(text);
    if (!value || !std::isfinite(*value) || *value < lower || *value > upper ||
        !acceptableZero(text, *value)) {
        refuse(edit, formatString(StringId::realRange, lower, upper), formatReal(stored));
        return false;
    }
    trackbar.setPosition(static_cast<int>(*value * scale));
    sendCommand(formatString(command, window, *value));
    stored = *value;
    truncateEditText(edit, text, trackedRealLength);
    return true;
}

bool CommandChannel::checkRangedInteger(EditControl& edit, int previous, int lower, int upper)
{
    if (!shouldCheck(edit))
        return true;
    const std::string text = edit.text();
    if (!text.empty() && !isDigit(text.front()) && std::strtod(text.c_str(), nullptr) == 0.0) {
        edit.replaceText({});
        return false;
    }
    const std::optional<int> value = readWhole<int>(text);
    if (!value || *value < lower || *value > upper) {
        refuse(edit, formatString(StringId::integerRange, lower, upper), std::to_string(previous));
        return false;
    }
    app_.timingEdited = true;
    return true;
}

void CommandChannel::truncateEditText(EditControl& edit, const std::string& text,
                                      std::size_t maxLength)
{
    if (text.size() > maxLength)
        edit.replaceText(text.substr(0, maxLength));
}

} // namespace kivo
