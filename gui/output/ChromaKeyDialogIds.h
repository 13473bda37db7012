#pragma once

// The resource ids of the Chroma Key dialog and its controls: the tests find a control by its
// id.
namespace kivo::gui::chromaKeyDialogIds {

inline constexpr int dialog = 153;
inline constexpr int insert = 1061;
inline constexpr int chromaKey = 1086;
inline constexpr int done = 1314;

// The limits: a trackbar and an edit each.
inline constexpr int redMinSlider = 1052;
inline constexpr int redMaxSlider = 1056;
inline constexpr int greenMinSlider = 1053;
inline constexpr int greenMaxSlider = 1057;
inline constexpr int blueMinSlider = 1054;
inline constexpr int blueMaxSlider = 1058;
inline constexpr int redMinEdit = 1087;
inline constexpr int redMaxEdit = 1090;
inline constexpr int greenMinEdit = 1088;
inline constexpr int greenMaxEdit = 1091;
inline constexpr int blueMinEdit = 1089;
inline constexpr int blueMaxEdit = 1092;

// The presets.
inline constexpr int white = 1068;
inline constexpr int cyan = 1073;
inline constexpr int magenta = 1069;
inline constexpr int yellow = 1071;
inline constexpr int red = 1070;
inline constexpr int green = 1074;
inline constexpr int blue = 1072;
inline constexpr int black = 1067;

} // namespace kivo::gui::chromaKeyDialogIds
