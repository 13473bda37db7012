#pragma once

#include "gui/timing/TimingDialogIds.h"

// The resource ids of the Input Timing dialog and its controls: the tests find a control by its
// id.
namespace kivo::gui::inputTimingDialogIds {

using namespace timingDialogIds;

inline constexpr int dialog = 152;
inline constexpr int fourWire = 1255;
inline constexpr int fiveWire = 1256;

} // namespace kivo::gui::inputTimingDialogIds
