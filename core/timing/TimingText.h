#pragma once

#include "core/timing/TimingRecord.h"

#include <string>
#include <string_view>

namespace kivo {

class NumberCursor;

// Whether the numbers always have a SYNC column (the panel's own cache lines do) or only when
// it holds a wire count of 3, 4 or 5 (the device's replies).
enum class SyncColumn { optional, always };

// Reads HFP, HS, HBP, HACT, VFP, VS, VBP, VACT, HFREQ, SYNC, HPOL, VPOL and IL, the order in
// which the device lists a timing. Missing numbers give 0, or 640, 480 and 1 for HACT, VACT
// and HFREQ.
void readTimingNumbers(NumberCursor& numbers, TimingRecord& timing,
                       SyncColumn sync = SyncColumn::optional);

// Copies the thirteen timing numbers (not the name, row text or levels).
void copyTimingNumbers(const TimingRecord& from, TimingRecord& to);

// VACT and HFREQ are divisors downstream, so a 0 read is kept as 1.
void keepDivisorsNonZero(TimingRecord& timing);

// The column titles over the rows of a timing list. A row starts with its setting number in
// four columns, so the titles start four columns in to stand over their figures.
std::string timingListHeader();

// The row a list shows for setting `number`; the placeholder of a slot without a setting.
std::string formatRowText(int number, const TimingRecord& timing);
std::string placeholderRow(int number);

// The ini cache value of an output or an input setting.
std::string formatOutputCacheText(const TimingRecord& timing);
std::string formatInputCacheText(const TimingRecord& timing);

// The leading number of a row text, or 0 when it does not start with a digit.
int rowNumber(std::string_view rowText);

} // namespace kivo
