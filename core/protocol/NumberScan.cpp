#include "core/protocol/NumberScan.h"

#include "core/base/CNumbers.h"
#include "core/base/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace kivo {
namespace {

// A scan never runs further than a reply buffer holds.
constexpr std::size_t scanLimit = 4608;
constexpr int maxWalk = 15;

bool isLead(char c) { return c == '-' || c == '.'; }

template <typename Counted> int walk(std::string_view text, std::size_t start, Counted counted)
{
    int count = 0;
    std::optional<std::size_t> position = start;
    for (int step = 0; step < maxWalk && position && *position < text.size(); ++step) {
        if (counted(*position))
            ++count;
        position = nextNumber(text, *position);
    }
    return count;
}

} // namespace

std::optional<std::size_t> nextNumber(std::string_view text, std::size_t position)
{
    const std::size_t end = std::min(text.size(), position + scanLimit);
    std::size_t i = position;
    if (i + 1 < end && isLead(text[i]) && isDigit(text[i + 1]))
        ++i;
    while (i < end && (isDigit(text[i]) || text[i] == '.'))
        ++i;
    while (i < end && !isDigit(text[i]))
        ++i;
    if (i >= end)
        return std::nullopt;
    return i > position && isLead(text[i - 1]) ? i - 1 : i;
}

int countNumbers(std::string_view text, std::size_t start)
{
    return walk(text, start, [&](std::size_t at) {
        return isDigit(text[at]) ||
               (text[at] == '-' && at + 1 < text.size() && isDigit(text[at + 1]));
    });
}

int countNumbersAbove(std::string_view text, std::size_t start, int threshold)
{
    return walk(text, start, [&](std::size_t at) { return integerAt(text, at) > threshold; });
}

int integerAt(std::string_view text, std::size_t position)
{
    std::string_view rest = text.substr(std::min(position, text.size()));
    if (!rest.empty() && rest.front() == '+')
        rest.remove_prefix(1);
    long value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error == std::errc::result_out_of_range)
        return rest.front() == '-' ? INT32_MIN : INT32_MAX;
    if (error != std::errc{} || end == rest.data())
        return 0;
    return static_cast<int>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

bool numberStartsAt(std::string_view text, std::size_t position)
{
    if (position >= text.size())
        return false;
    return isDigit(text[position]) ||
           (isLead(text[position]) && position + 1 < text.size() && isDigit(text[position + 1]));
}

std::optional<double> realAt(std::string_view text, std::size_t position)
{
    const std::optional<double> value = leadingReal(text.substr(std::min(position, text.size())));
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

} // namespace kivo
