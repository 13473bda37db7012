#pragma once

#include <string>
#include <string_view>

namespace kivo {

// Small text helpers shared by the channel and the reply parsers.
std::string_view trimLeft(std::string_view text);
std::string_view trimRight(std::string_view text);
std::string_view trim(std::string_view text);
std::string toLower(std::string_view text);
// Bytes as one printable line: a line feed written \n, a carriage return \r, any other byte
// outside printable ASCII \xHH.
std::string escapeBytes(std::string_view bytes);

// Operator text for a label or a file: control characters dropped, at most `maxCharacters`
// characters (UTF-8 sequences are kept whole).
std::string operatorText(std::string_view text, std::size_t maxCharacters);
// The first `count` characters of UTF-8 text, never cutting a character in two.
std::string_view firstCharacters(std::string_view text, std::size_t count);

// An ASCII digit, whatever the locale.
inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

inline bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace kivo
