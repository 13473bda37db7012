#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kivo {

// Number scanning shared by every reply parser. A number is an optional "-" or "." right
// before a digit, then digits and dots; the scan does not stop at line ends, so a short
// row continues into the next one.

// From a position at or before a number, the position where the next number starts.
std::optional<std::size_t> nextNumber(std::string_view text, std::size_t position);

// The positions walked (the start, then each next number; at most 15) that begin with a digit
// or with "-" and a digit.
int countNumbers(std::string_view text, std::size_t start);

// The same walk, counting the positions whose integer value is above `threshold`.
int countNumbersAbove(std::string_view text, std::size_t start, int threshold);

// Whether a number begins at `position`: a digit, or "-" or "." right before one.
bool numberStartsAt(std::string_view text, std::size_t position);

// Decimal conversions at a position: optional sign and digits, stopping at anything else.
// An integer beyond 32 bits is held at the nearest bound.
int integerAt(std::string_view text, std::size_t position);
// A real number, or nothing where there is none or it is not finite ("1e999", "nan").
std::optional<double> realAt(std::string_view text, std::size_t position);

} // namespace kivo
