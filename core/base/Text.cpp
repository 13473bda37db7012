#include "core/base/Text.h"

#include <algorithm>
#include <cctype>

namespace kivo {
namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

} // namespace

std::string_view trimLeft(std::string_view text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    return text.substr(static_cast<std::size_t>(first - text.begin()));
}

std::string_view trimRight(std::string_view text)
{
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank);
    return text.substr(0, static_cast<std::size_t>(text.rend() - last));
}

std::string_view trim(std::string_view text) { return trimRight(trimLeft(text)); }

std::string toLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return lower;
}

std::string escapeBytes(std::string_view bytes)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (byte < 0x20 || byte > 0x7E)
            line += {'\\', 'x', hex[byte >> 4], hex[byte & 0xF]};
        else
            line += c;
    }
    return line;
}

namespace {

// A byte that continues a UTF-8 sequence rather than starting a character.
bool continuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::string_view firstCharacters(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size(); ++characters) {
        if (characters == count)
            break;
        ++end;
        while (end < text.size() && continuesCharacter(text[end]))
            ++end;
    }
    return text.substr(0, end);
}

std::string operatorText(std::string_view text, std::size_t maxCharacters)
{
    std::string printable;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            printable += c;
    return std::string(firstCharacters(printable, maxCharacters));
}

} // namespace kivo
