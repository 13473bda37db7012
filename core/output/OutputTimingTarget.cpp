#include "core/output/OutputTimingTarget.h"

#include "core/output/OutputSettings.h"

namespace kivo {

OutputTimingTarget::OutputTimingTarget(TimingRecord& outputTiming, const bool& outputFreeRun,
                                       OutputStatusReader& status)
    : timing_(outputTiming), freeRun_(outputFreeRun), status_(status)
{
}

std::string OutputTimingTarget::line() const { return outputTimingLine(timing_, freeRun_); }

void OutputTimingTarget::readBack() { status_.queryOutputStatus(); }

} // namespace kivo
