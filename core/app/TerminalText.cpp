#include "core/app/TerminalText.h"

namespace kivo {

std::string toDisplayLineBreaks(std::string_view text)
{
    std::string converted;
    converted.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n')
            converted += "\r\r\n";
        else if (c != '\r')
            converted += c;
    }
    return converted;
}

bool cutBackTerminalText(std::string& text)
{
    if (text.size() <= terminalTextLimit)
        return false;
    text.erase(0, text.size() - terminalTextKept);
    return true;
}

} // namespace kivo
