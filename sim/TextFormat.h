#pragma once

#include <string>
#include <string_view>
#include <vector>

// Small text helpers shared by the simulated Quadrix's command handlers.
namespace kivo::sim {

// printf into a std::string.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same, ended by the device's line end.
std::string formatLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The device's range error for value, or nothing when it lies within min..max.
std::string rangeError(const char* what, int value, int min, int max);

std::string lowerCase(std::string_view text);
std::string_view trimmed(std::string_view text);
// The blank-separated words of a text, as views into it.
std::vector<std::string_view> splitWords(std::string_view text);

} // namespace kivo::sim
