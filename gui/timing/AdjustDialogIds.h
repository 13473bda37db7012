#pragma once

// The resource ids of the controls the two Interactive Adjustment dialogs both have: the tests
// find a control by its id.
namespace kivo::gui::adjustDialogIds {

inline constexpr int positionGroup = 1109;
inline constexpr int up = 1119;
inline constexpr int right = 1120;
inline constexpr int left = 1121;
inline constexpr int down = 1122;
inline constexpr int instruction = 1023;
inline constexpr int ok = 1;
inline constexpr int cancel = 2;

} // namespace kivo::gui::adjustDialogIds
