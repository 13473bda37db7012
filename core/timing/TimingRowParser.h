#pragma once

#include "core/timing/TimingRecord.h"

#include <string_view>
#include <vector>

namespace kivo {

// Fills slots from a device list reply ("hlist 1 27", "rgblist"). Numbered lines fill the
// slots in the order they arrive, whatever number the device printed; a line too short to be
// a timing (an empty setting printed as its number alone) leaves its slot as it was.
// Output lists skip lines that begin with "0" without using a slot.
// Returns the settings listed as empty: a whole line holding the setting's own number alone.
std::vector<int> parseTimingRows(std::string_view reply, std::vector<TimingRecord>& slots,
                                 int limit, bool skipZeroLines);

} // namespace kivo
