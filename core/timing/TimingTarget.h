#pragma once

#include "core/timing/TimingRecord.h"

#include <string>

namespace kivo {

class InputWindows;
class OutputStatusReader;

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

class OutputTimingTarget final : public TimingTarget {
public:
    OutputTimingTarget(TimingRecord& outputTiming, const bool& outputFreeRun,
                       OutputStatusReader& status);

    TimingRecord& timing() override { return timing_; }
    std::string line() const override;
    void readBack() override;
    bool signalEditable() const override { return freeRun_; }
    int window() const override { return 0; }

private:
    TimingRecord& timing_;
    const bool& freeRun_;
    OutputStatusReader& status_;
};

class InputTimingTarget final : public TimingTarget {
public:
    // `timing` is window `window`'s input timing, which `windows` reads from the device.
    InputTimingTarget(int window, TimingRecord& timing, InputWindows& windows);

    TimingRecord& timing() override { return timing_; }
    std::string line() const override;
    void readBack() override;
    bool signalEditable() const override { return false; }
    int window() const override { return window_; }

private:
    int window_;
    TimingRecord& timing_;
    InputWindows& windows_;
};

} // namespace kivo
