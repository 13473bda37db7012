#include "cli/ConsoleReply.h"

#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/protocol/Reply.h"

#include <algorithm>

namespace kivo::cli {

std::string forConsole(std::string_view reply)
{
    std::string text;
    for (const char c : reply)
        if (c != '\r')
            text += c;
    return text;
}

std::string answerOnly(std::string_view reply, std::string_view command)
{
    std::string text = forConsole(reply);
    // The device echoes the command line first while its echo is on.
    const auto firstLineEnd = text.find('\n');
    if (firstLineEnd != std::string::npos &&
        trim(std::string_view(text).substr(0, firstLineEnd)) == trim(command))
        text.erase(0, firstLineEnd + 1);
    if (endsWithPrompt(text))
        text.resize(text.size() - loadString(StringId::prompt).size());
    return text;
}

std::string oneLine(std::string_view message)
{
    std::string line;
    std::size_t start = 0;
    while (start < message.size()) {
        const std::size_t end = std::min(message.find_first_of("\r\n", start), message.size());
        const std::string_view piece = trim(message.substr(start, end - start));
        if (!piece.empty() && piece != trim(loadString(StringId::prompt)))
            line += (line.empty() ? "" : " ") + std::string(piece);
        start = end + 1;
    }
    return line;
}

} // namespace kivo::cli
