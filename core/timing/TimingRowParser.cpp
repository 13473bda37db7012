#include "core/timing/TimingRowParser.h"

#include "core/base/Text.h"

#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <cctype>

namespace kivo {
namespace {

constexpr std::size_t nameColumn = 4;
constexpr std::size_t nameWidth = 18;
constexpr std::size_t numbersColumn = 22;
constexpr std::size_t longestLine = 250;
constexpr int fewestNumbers = 11;

bool startsWithDigit(std::string_view text) { return !text.empty() && isDigit(text.front()); }

bool looksLikeTimingLine(std::string_view line)
{
    return line.size() > numbersColumn && line.size() < longestLine &&
           countNumbers(line, 0) >= fewestNumbers;
}

// The numbers are read from the rest of the reply, not the line alone, so a short row
// takes what it lacks from the rows after it.
void parseLine(std::string_view rest, std::string_view line, int slot, TimingRecord& timing)
{
    timing.NAME = std::string(line.substr(nameColumn, nameWidth));
    NumberCursor numbers(rest, numbersColumn);
    readTimingNumbers(numbers, timing);
    keepDivisorsNonZero(timing);
    timing.rowText = formatRowText(slot + 1, timing);
}

// A whole line that holds setting `number` and nothing else: the device has no such setting.
bool listsAsEmpty(std::string_view line, int number)
{
    const std::string_view text = trim(line);
    return !text.empty() && text.size() <= 2 && std::all_of(text.begin(), text.end(), isDigit) &&
           integerAt(text, 0) == number;
}

} // namespace

std::vector<int> parseTimingRows(std::string_view reply, std::vector<TimingRecord>& slots,
                                 int limit, bool skipZeroLines)
{
    std::vector<int> listedEmpty;
    std::size_t at = 0;
    int slot = 0;
    while (at < reply.size() && slot < limit && slot < static_cast<int>(slots.size())) {
        const std::string_view rest = reply.substr(at);
        const std::size_t lineFeed = rest.find('\n');
        if (lineFeed != std::string_view::npos && listsAsEmpty(rest.substr(0, lineFeed), slot + 1))
            listedEmpty.push_back(slot + 1);
        std::string_view examined = rest;
        if (lineFeed != std::string_view::npos && lineFeed > numbersColumn) {
            const std::string_view line = rest.substr(0, rest.find_first_of("\r\n"));
            if (skipZeroLines && line.starts_with('0')) {
                at += line.size() + 1;
                continue;
            }
            examined = line;
            if (looksLikeTimingLine(line))
                parseLine(rest, line, slot, slots[static_cast<std::size_t>(slot)]);
        }
        if (startsWithDigit(examined))
            ++slot;
        if (lineFeed == std::string_view::npos)
            break;
        at += lineFeed + 1;
    }
    return listedEmpty;
}

} // namespace kivo
