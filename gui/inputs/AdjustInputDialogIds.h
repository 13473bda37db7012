#pragma once

#include "gui/timing/AdjustDialogIds.h"

// The resource ids of an input's Interactive Adjustment dialog and its controls: the tests find
// a control by its id.
namespace kivo::gui::adjustInputDialogIds {

using namespace adjustDialogIds;

inline constexpr int dialog = 151;
inline constexpr int sizeGroup = 1110;
inline constexpr int increaseWidth = 1262;
inline constexpr int decreaseWidth = 1263;
inline constexpr int increaseHeight = 1264;
inline constexpr int decreaseHeight = 1265;

} // namespace kivo::gui::adjustInputDialogIds
