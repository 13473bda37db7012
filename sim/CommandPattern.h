#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivo::sim {

// The values a command line carried, in the order of its pattern's placeholders.
struct CommandArgs {
    std::vector<int> numbers;
    std::vector<std::string> words;
    double real = 0.0;
    std::string text;
};

// One command form written like the device's own templates: literal words, "%d" an
// integer, "%f" a real, "%w" one word, "%s" the rest of the line, and "%d+" / "%w+" one
// or more integers or words up to the end. Literal words compare without case.
class CommandPattern {
public:
    explicit CommandPattern(std::string_view pattern);

    // True when the whole line fits the pattern; the values are then in args.
    bool match(std::string_view line, CommandArgs& args) const;
    // The first word, the command's name.
    const std::string& keyword() const { return tokens_.front(); }

private:
    bool matchToken(const std::string& token, std::string_view word, CommandArgs& args) const;

    std::vector<std::string> tokens_;
};

} // namespace kivo::sim
