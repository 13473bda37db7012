#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::cli {

// A word of the command line as an error line shows it: in double quotes, odd bytes escaped.
std::string quoted(const std::string& word);

// Reads the whole word as a decimal number from min to max: a minus is the only sign, and
// blanks, trailing characters and numbers beyond int are refused. Returns an error line that
// names the value as `what`, or an empty string.
std::string readWholeNumber(const std::string& word, const std::string& what, int min, int max,
                            int& value);

// A keyword of the command line and what it stands for.
template <typename Value> struct Keyword {
    const char* name;
    Value value;
};

// What `word` stands for among `keywords`; nothing for a word not among them.
template <typename Value, std::size_t size>
std::optional<Value> lookUp(const std::array<Keyword<Value>, size>& keywords, std::string_view word)
{
    const auto found = std::find_if(keywords.begin(), keywords.end(),
                                    [word](const Keyword<Value>& k) { return word == k.name; });
    return found == keywords.end() ? std::nullopt : std::optional<Value>(found->value);
}

// The keyword of `value`, which must be among `keywords`.
template <typename Value, std::size_t size>
const char* keywordOf(const std::array<Keyword<Value>, size>& keywords, Value value)
{
    const auto found = std::find_if(keywords.begin(), keywords.end(),
                                    [value](const Keyword<Value>& k) { return value == k.value; });
    return found == keywords.end() ? "" : found->name;
}

} // namespace kivo::cli
