#pragma once

// The resource ids of the controls the Quadrix Output and Quadrix Inputs pages both have: the
// tests find a control by its id.
namespace kivo::gui::timingPageIds {

inline constexpr int list = 1082;
inline constexpr int listHeader = 1086;
inline constexpr int fromQuadrix = 1109;
inline constexpr int fromKivo = 1110;
inline constexpr int name = 1219;
inline constexpr int add = 1240;
inline constexpr int deleteSetting = 1241;
inline constexpr int advanced = 1262;

} // namespace kivo::gui::timingPageIds
