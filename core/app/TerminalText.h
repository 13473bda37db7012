#pragma once

#include <string>
#include <string_view>

namespace kivo {

// The Terminal text never grows without bound: past this length it is cut back to its tail.
inline constexpr std::size_t terminalTextLimit = 16384;
inline constexpr std::size_t terminalTextKept = 8192;

// Device text as the Terminal shows it: a line feed becomes "\r\r\n", carriage returns go.
std::string toDisplayLineBreaks(std::string_view text);

// Cuts `text` back to its last terminalTextKept characters once it passes terminalTextLimit;
// returns whether it did.
bool cutBackTerminalText(std::string& text);

} // namespace kivo
