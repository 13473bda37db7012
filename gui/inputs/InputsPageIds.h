#pragma once

#include "gui/timing/TimingPageIds.h"

// The resource ids of the Quadrix Inputs page's controls, its timing list and setting controls
// among them: the tests find a control by its id.
namespace kivo::gui::inputsPageIds {

using namespace timingPageIds;

// The radio buttons of windows 1 to 10.
inline constexpr int firstWindowButton = 1290;
constexpr int windowButton(int window) { return firstWindowButton + window - 1; }

// The input types, top to bottom.
inline constexpr int composite = 1105;
inline constexpr int sVideo = 1106;
inline constexpr int autoInput = 1107;
inline constexpr int rgb = 1108;
inline constexpr int firstType = composite;

inline constexpr int locked = 1312;
inline constexpr int loadImageSettings = 1347;
inline constexpr int number = 1265;
inline constexpr int interactiveAdjustment = 1214;

} // namespace kivo::gui::inputsPageIds
