#pragma once

// The resource ids of the controls the Output Timing and Input Timing dialogs both have: the
// tests find a control by its id.
namespace kivo::gui::timingDialogIds {

// The value boxes, horizontal then vertical, in the order the timing form numbers them.
inline constexpr int horizontalFrontPorch = 1270;
inline constexpr int horizontalSync = 1271;
inline constexpr int horizontalBackPorch = 1272;
inline constexpr int horizontalBlank = 1273;
inline constexpr int horizontalActive = 1274;
inline constexpr int horizontalTotal = 1275;
inline constexpr int verticalFrontPorch = 1276;
inline constexpr int verticalSync = 1277;
inline constexpr int verticalBackPorch = 1278;
inline constexpr int verticalBlank = 1279;
inline constexpr int verticalActive = 1280;
inline constexpr int verticalTotal = 1281;
inline constexpr int firstValue = horizontalFrontPorch;
inline constexpr int frequency = 1264;

inline constexpr int threeWire = 1254;
inline constexpr int horizontalPositive = 1287;
inline constexpr int horizontalNegative = 1258;
inline constexpr int verticalPositive = 1288;
inline constexpr int verticalNegative = 1260;
inline constexpr int interlacedYes = 1252;
inline constexpr int interlacedNo = 1253;

inline constexpr int apply = 1088;
inline constexpr int cancelChanges = 1282;
inline constexpr int reset = 1262;
inline constexpr int done = 1089;

} // namespace kivo::gui::timingDialogIds
