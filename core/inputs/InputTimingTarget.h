#pragma once

#include "core/timing/TimingTarget.h"

namespace kivo {

class InputWindows;

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
