#pragma once

#include "gui/timing/TimingPageIds.h"

// The resource ids of the Quadrix Output page's controls, its timing list and setting controls
// among them: the tests find a control by its id.
namespace kivo::gui::outputPageIds {

using namespace timingPageIds;

inline constexpr int number = 1266;
inline constexpr int interactiveAdjustment = 1261;
inline constexpr int freeRun = 1217;
inline constexpr int autosync = 1218;
inline constexpr int chromaKey = 1311;
inline constexpr int locked = 1313;

} // namespace kivo::gui::outputPageIds
