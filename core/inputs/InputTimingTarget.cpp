#include "core/inputs/InputTimingTarget.h"

#include "core/inputs/InputSettings.h"

namespace kivo {

InputTimingTarget::InputTimingTarget(int window, TimingRecord& timing, InputWindows& windows)
    : window_(window), timing_(timing), windows_(windows)
{
}

std::string InputTimingTarget::line() const { return inputTimingLine(window_, timing_); }

void InputTimingTarget::readBack() { windows_.queryTiming(window_); }

} // namespace kivo
