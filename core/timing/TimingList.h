#pragma once

#include "core/timing/TimingRecord.h"

#include <string>
#include <vector>

namespace kivo {

// One of the device's numbered timing lists (output or input settings) as a page shows it:
// the slots (slot k holds setting k + 1) and the rows of the page's drop-down list.
struct TimingList {
    enum class Kind { output, input };

    static constexpr int outputSlots = 27;
    static constexpr int inputSlots = 50;
    // Only the user's own output settings are cached in the ini file.
    static constexpr int cachedOutputSettings = 10;

    explicit TimingList(Kind listKind);

    Kind kind;
    std::vector<TimingRecord> slots;
    int count;              // settings the device has: outputListCount, or 50 inputs
    bool fromDevice = true; // the list's source: the Quadrix, or the Kivo's ini cache
    std::vector<std::string> rows;
    int selection = -1;
    bool deleteEnabled = false;

    // The settings the rows show: every one the device has, or only the user's own output
    // settings when the list comes from the ini cache, which holds no others.
    int shownSettings() const;

    // Resets the first `count` slots (outputs) or all slots (inputs) to "no setting".
    void clear();
};

} // namespace kivo
