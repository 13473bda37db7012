#pragma once

#include "core/timing/TimingRecord.h"

#include <string>

namespace kivo {

// The timing a timing or adjustment dialog works on, and the device behind it: the output's
// timing, or one RGB window's input timing.
class TimingTarget {
public:
    virtual ~TimingTarget() = default;
    virtual TimingRecord& timing() = 0;
    // The line that gives the device timing().
    virtual std::string line() const = 0;
    // Reads the timing back from the device into timing().
    virtual void readBack() = 0;
    // Whether the operator may change the signal's own values (vertical active, frequency,
    // sync wires, polarities, interlace): a window's input signal sets them itself, and so
    // does the output's reference in autosync.
    virtual bool signalEditable() const = 0;
    // The RGB window whose input this is; 0 for the output.
    virtual int window() const = 0;
};

} // namespace kivo
