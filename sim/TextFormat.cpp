#include "sim/TextFormat.h"

#include "sim/ReplyFormats.h"

#include "core/base/CNumbers.h"

#include <cctype>
#include <cstdarg>

namespace kivo::sim {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::string formatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = formatPrintfList(format, args);
    va_end(args);
    return text;
}

std::string formatLine(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = formatPrintfList(format, args);
    va_end(args);
    return text + replies::lineEnd;
}

std::string rangeError(const char* what, int value, int min, int max)
{
    if (value >= min && value <= max)
        return {};
    return formatLine(replies::errorRange, what, min, max);
}

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i]))
            ++i;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

} // namespace kivo::sim
