#pragma once

#include <array>

// The resource ids of the Virtual Screen page's controls: the edit router and the tests find a
// control by its id.
namespace kivo::gui::virtualScreenPageIds {

inline constexpr int canvasGroup = 1000;
inline constexpr int immediately = 1289;
inline constexpr int onApplyOnly = 1290;
inline constexpr int apply = 1088;
inline constexpr int sizingMarkers = 1154;
inline constexpr int restoreInitialSizes = 1157;
inline constexpr int clearDescriptions = 1155;

// Windows 1 to 10: the check box that switches a window on and the edit that describes it.
inline constexpr int firstWindowBox = 1006;
inline constexpr int firstDescription = 1031;
constexpr int windowBox(int window) { return firstWindowBox + window - 1; }
constexpr int description(int window) { return firstDescription + window - 1; }
inline constexpr int lastDescription = description(10);

// User arrangements 1 to 4: the button that lays one out and the edit that names it.
inline constexpr std::array<int, 4> userButtons{1068, 1069, 1070, 1076};
inline constexpr int firstName = 1071;
constexpr int userButton(int arrangement) { return userButtons.at(arrangement - 1); }
constexpr int name(int arrangement) { return firstName + arrangement - 1; }
inline constexpr int lastName = name(4);

// The Arrange buttons.
inline constexpr int topLeft = 1064;
inline constexpr int topRight = 1066;
inline constexpr int grid = 1067;
inline constexpr int bottomLeft = 1019;
inline constexpr int bottomRight = 1148;
inline constexpr int centre = 1152;

} // namespace kivo::gui::virtualScreenPageIds
