#pragma once

#include "core/protocol/TrafficEcho.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo {

// Told of every change of the Terminal text, so a page can draw it.
class TerminalView {
public:
    virtual ~TerminalView() = default;
    // `added` went onto the end of the text.
    virtual void textAppended(std::string_view added) = 0;
    // The text changed other than at its end (it was cut back, a character was erased).
    virtual void textReplaced() = 0;
};

// The Terminal page's text, free of any widget: the traffic with the device, lines broken by
// "\r\r\n", and the operator's line after the last prompt. Typing always continues the last
// line, the prompt in front of it cannot be erased, and past 16384 characters the text is cut
// back to its last 8192. The page only draws what this holds.
class TerminalModel final : public TrafficEcho {
public:
    static constexpr std::size_t textLimit = 16384;
    static constexpr std::size_t textKept = 8192;
    // A finished line is fetched into a buffer of this size; anything longer is cut.
    static constexpr std::size_t lineBufferSize = 250;

    const std::string& text() const { return text_; }
    std::size_t lineCount() const;
    std::string_view lastLine() const;
    void setView(TerminalView* view) { view_ = view; }

    // While the page is on screen after start-up it shows the traffic as it arrives, so the
    // channel does not echo into it.
    bool terminalActive = false;

    // The channel's side. A command another page sends, on its own line behind a prompt.
    bool showsTrafficItself() const override { return terminalActive; }
    void echoCommand(std::string_view command) override;
    // Device text as it is collected: line feeds become "\r\r\n", carriage returns go.
    void echo(std::string_view deviceText) override;
    // One chunk read for the Terminal itself; blanks that would start a line are dropped.
    // Returns how many characters it added.
    std::size_t showReceived(std::string_view chunk);

    // The operator's side.
    void type(std::string_view characters);
    void erase();
    // Enter: ends the last line and returns what goes to the device, the line itself or, on a
    // "----- MORE -----" line, a bare line feed for the next page.
    std::string finishLine();
    // Puts a prompt after the last line unless it has one (or is a paging marker).
    void ensurePrompt();

    // Replaces the whole text, as when earlier traffic is restored.
    void setText(std::string text);

private:
    void append(std::string_view added);

    std::string text_;
    TerminalView* view_ = nullptr;
};

// Device text as the Terminal shows it: a line feed becomes "\r\r\n", carriage returns go.
std::string toDisplayLineBreaks(std::string_view text);

} // namespace kivo
