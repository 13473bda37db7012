#pragma once

#include <cstdarg>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// Numbers as the device, the ini file, the trace, the log and the number boxes write them:
// "1.5", never "1,5", whatever language the desktop is set to. A Qt program takes the
// C library's locale from the environment, so plain printf and strtod cannot be used for them.

// printf into a string, in the C conventions whatever the process's locale.
std::string formatPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formatPrintfList(const char* format, va_list args);

// `value` with `decimals` digits after the point, as "%.*f" writes it in the C locale.
std::string formatFixed(double value, int decimals);

// The real number at the start of `text` as strtod reads it in the C locale (blanks, a sign,
// digits with a point, an exponent); nothing when no number starts there or it is out of range.
std::optional<double> leadingReal(std::string_view text);

} // namespace kivo
