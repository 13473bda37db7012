#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kivo {

// Reads the numbers of a reply one after another, with a stand-in for each one missing.
class NumberCursor {
public:
    // Starts at `start` when a number begins there (a digit, or "-" or "." and a digit), else
    // at the next number after it.
    NumberCursor(std::string_view text, std::size_t start);

    bool atEnd() const { return !position_; }
    // The current number, or `missing` when the text has no more; moves on.
    int take(int missing = 0);
    double takeReal(double missing = 0.0);
    // The current number without moving on.
    std::optional<int> peek() const;
    void skip();

private:
    std::string_view text_;
    std::optional<std::size_t> position_;
};

} // namespace kivo
