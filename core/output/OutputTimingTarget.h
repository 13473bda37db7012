#pragma once

#include "core/timing/TimingTarget.h"

namespace kivo {

class OutputStatusReader;

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

} // namespace kivo
