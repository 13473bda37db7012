#pragma once

#include "gui/timing/AdjustDialogIds.h"

// The resource ids of the output's Interactive Adjustment dialog and its controls: the tests
// find a control by its id.
namespace kivo::gui::adjustOutputDialogIds {

using namespace adjustDialogIds;

inline constexpr int dialog = 150;
inline constexpr int switchImages = 1123;

} // namespace kivo::gui::adjustOutputDialogIds
