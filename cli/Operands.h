#pragma once

#include <string>

namespace kivo::cli {

// A word of the command line as an error line shows it: in double quotes, odd bytes escaped.
std::string quoted(const std::string& word);

// Reads the whole word as a decimal number from min to max: a minus is the only sign, and
// blanks, trailing characters and numbers beyond int are refused. Returns an error line that
// names the value as `what`, or an empty string.
std::string readWholeNumber(const std::string& word, const std::string& what, int min, int max,
                            int& value);

} // namespace kivo::cli
