#include "core/timing/TimingTarget.h"

#include "core/timing/InputSettings.h"
#include "core/timing/OutputSettings.h"

namespace kivo {

OutputTimingTarget::OutputTimingTarget(TimingRecord& outputTiming, const bool& outputFreeRun,
                                       OutputStatusReader& status)
    : timing_(outputTiming), freeRun_(outputFreeRun), status_(status)
{
}

std::string OutputTimingTarget::line() const { return outputTimingLine(timing_, freeRun_); }

void OutputTimingTarget::readBack() { status_.queryOutputStatus(); }

InputTimingTarget::InputTimingTarget(int window, TimingRecord& timing, InputWindows& windows)
    : window_(window), timing_(timing), windows_(windows)
{
}

std::string InputTimingTarget::line() const { return inputTimingLine(window_, timing_); }

void InputTimingTarget::readBack() { windows_.queryTiming(window_); }

} // namespace kivo
