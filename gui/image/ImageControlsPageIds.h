#pragma once

// The resource ids of the Image Controls page's controls: the edit router and the tests find a
// control by its id.
namespace kivo::gui::imageControlsPageIds {

// The radio buttons of windows 1 to 10.
inline constexpr int firstWindowRadio = 1302;
constexpr int windowRadio(int window) { return firstWindowRadio + window - 1; }

// Zoom and pan.
inline constexpr int zoomIn = 1130;
inline constexpr int zoomOut = 1131;
inline constexpr int panLeft = 1126;
inline constexpr int panRight = 1128;
inline constexpr int panUp = 1127;
inline constexpr int panDown = 1129;
inline constexpr int unzoom = 1132;
inline constexpr int centerHorizontal = 1133;
inline constexpr int centerVertical = 1134;

inline constexpr int sourceBox = 1214;
inline constexpr int fullSourceBox = 1217;
inline constexpr int restoreInitialSize = 1291;

// The picture levels: a trackbar and an edit each.
inline constexpr int brightnessSlider = 1116;
inline constexpr int contrastSlider = 1117;
inline constexpr int colourSlider = 1115;
inline constexpr int saturationSlider = 1118;
inline constexpr int gammaSlider = 1289;
inline constexpr int brightnessEdit = 1250;
inline constexpr int contrastEdit = 1251;
inline constexpr int colourEdit = 1252;
inline constexpr int saturationEdit = 1253;
inline constexpr int gammaEdit = 1254;
inline constexpr int firstLevelEdit = brightnessEdit;
inline constexpr int lastLevelEdit = gammaEdit;

inline constexpr int restoreDefaults = 1147;
inline constexpr int freeze = 1146;
inline constexpr int motion = 1148;

} // namespace kivo::gui::imageControlsPageIds
