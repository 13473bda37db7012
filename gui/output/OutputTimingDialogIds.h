#pragma once

#include "gui/timing/TimingDialogIds.h"

// The resource ids of the Output Timing dialog and its controls: the tests find a control by
// its id.
namespace kivo::gui::outputTimingDialogIds {

using namespace timingDialogIds;

inline constexpr int dialog = 142;
inline constexpr int fourWire = 1283;
inline constexpr int fiveWire = 1284;

} // namespace kivo::gui::outputTimingDialogIds
