#pragma once

#include "core/timing/TimingRecord.h"

#include <optional>
#include <string>

namespace kivo {

struct TimingList;

// Whether two timings have the same thirteen numbers; names and levels do not count.
bool sameTimingNumbers(const TimingRecord& a, const TimingRecord& b);

// The first setting the list holds with the same thirteen numbers as `timing`.
std::optional<int> matchingSlot(const TimingList& list, const TimingRecord& timing);

// The row after the settings that shows what the output or a window runs now; a timing that
// is not locked has no numbers worth showing.
std::string currentOutputRowText(const TimingRecord& outputTiming);
std::string currentInputRowText(int window, const TimingRecord& inputTiming);

// Puts `rowText` as the current-timing row, right after the list's settings, in place of the
// one shown before. With `reselect`, the list selects the first setting that matches `timing`,
// or the current-timing row when none does.
void showCurrentRow(TimingList& list, const std::string& rowText, const TimingRecord& timing,
                    bool reselect);

} // namespace kivo
