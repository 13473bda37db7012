#include "cli/Operands.h"

#include "core/base/Text.h"

#include <charconv>

namespace kivo::cli {

std::string quoted(const std::string& word) { return "\"" + escapeBytes(word) + "\""; }

std::string readWholeNumber(const std::string& word, const std::string& what, int min, int max,
                            int& value)
{
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (error == std::errc() && stop == end && value >= min && value <= max)
        return {};
    return what + " must be a whole number from " + std::to_string(min) + " to " +
           std::to_string(max) + ", not " + quoted(word);
}

} // namespace kivo::cli
