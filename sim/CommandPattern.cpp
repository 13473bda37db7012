#include "sim/CommandPattern.h"

#include "sim/TextFormat.h"

#include <charconv>

namespace kivo::sim {

namespace {

bool readInteger(std::string_view word, int& value)
{
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

bool readReal(std::string_view word, double& value)
{
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

} // namespace

CommandPattern::CommandPattern(std::string_view pattern)
{
    for (std::string_view word : splitWords(pattern))
        tokens_.emplace_back(word);
}

bool CommandPattern::match(std::string_view line, CommandArgs& args) const
{
    args = CommandArgs{};
    const std::vector<std::string_view> words = splitWords(line);
    std::size_t w = 0;
    for (const std::string& token : tokens_) {
        if (w == words.size())
            return false;
        if (token == "%s") {
            args.text =
                trimmed(line.substr(static_cast<std::size_t>(words[w].data() - line.data())));
            return true;
        }
        if (token == "%d+" || token == "%w+") {
            const std::string single = token.substr(0, 2);
            for (; w < words.size(); ++w) {
                if (!matchToken(single, words[w], args))
                    return false;
            }
            return true;
        }
        if (!matchToken(token, words[w], args))
            return false;
        ++w;
    }
    return w == words.size();
}

bool CommandPattern::matchToken(const std::string& token, std::string_view word,
                                CommandArgs& args) const
{
    if (token == "%d") {
        int value = 0;
        if (!readInteger(word, value))
            return false;
        args.numbers.push_back(value);
        return true;
    }
    if (token == "%f")
        return readReal(word, args.real);
    if (token == "%w") {
        args.words.push_back(lowerCase(word));
        return true;
    }
    return lowerCase(word) == token;
}

} // namespace kivo::sim
