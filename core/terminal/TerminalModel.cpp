#include "core/terminal/TerminalModel.h"

#include "core/base/Strings.h"
#include "core/base/Text.h"

#include <algorithm>

namespace kivo {
namespace {

std::string_view prompt() { return loadString(StringId::prompt); }
std::string_view moreMarker() { return loadString(StringId::moreMarker); }
std::string_view displayLineBreak() { return loadString(StringId::displayLineBreak); }

// What the operator can type into a command line: the device reads printable ASCII only, and
// a control character typed or pasted must never reach the wire.
bool isTypeable(char c) { return c >= ' ' && c <= '~'; }

} // namespace

std::string toDisplayLineBreaks(std::string_view text)
{
    std::string converted;
    converted.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n')
            converted += displayLineBreak();
        else if (c != '\r')
            converted += c;
    }
    return converted;
}

std::size_t TerminalModel::lineCount() const
{
    return static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) + 1;
}

std::string_view TerminalModel::lastLine() const
{
    const auto lineFeed = text_.rfind('\n');
    return std::string_view(text_).substr(lineFeed == std::string::npos ? 0 : lineFeed + 1);
}

void TerminalModel::append(std::string_view added)
{
    if (added.empty())
        return;
    text_ += added;
    if (text_.size() > textLimit) {
        text_.erase(0, text_.size() - textKept);
        if (view_)
            view_->textReplaced();
    } else if (view_) {
        view_->textAppended(added);
    }
}

void TerminalModel::setText(std::string text)
{
    text_ = std::move(text);
    if (view_)
        view_->textReplaced();
}

void TerminalModel::echoCommand(std::string_view command)
{
    // A prompt the device already printed is not doubled.
    const std::string_view tail =
        std::string_view(text_).substr(text_.size() - std::min<std::size_t>(3, text_.size()));
    std::string line = contains(tail, prompt()) ? std::string() : std::string(prompt());
    line += command;
    line += displayLineBreak();
    append(line);
}

void TerminalModel::echo(std::string_view deviceText) { append(toDisplayLineBreaks(deviceText)); }

std::size_t TerminalModel::showReceived(std::string_view chunk)
{
    const std::string converted = toDisplayLineBreaks(chunk);
    const std::string_view shown =
        text_.ends_with('\n') ? trimLeft(converted) : std::string_view(converted);
    append(shown);
    return shown.size();
}

void TerminalModel::type(std::string_view characters)
{
    std::string printable;
    std::copy_if(characters.begin(), characters.end(), std::back_inserter(printable), isTypeable);
    append(printable);
}

void TerminalModel::erase()
{
    // The prompt stays, and so does every line before the one being typed.
    if (text_.ends_with(prompt()) || lastLine().empty())
        return;
    text_.pop_back();
    if (view_)
        view_->textReplaced();
}

std::string TerminalModel::finishLine()
{
    const std::string line(lastLine().substr(0, lineBufferSize - 1));
    append(displayLineBreak());
    return contains(line, moreMarker()) ? std::string("\n") : line;
}

void TerminalModel::ensurePrompt()
{
    const std::string_view last = lastLine();
    if (contains(last, prompt()) || contains(last, moreMarker()) || lineCount() <= 1)
        return;
    append(prompt());
}

} // namespace kivo
