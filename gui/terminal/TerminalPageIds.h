#pragma once

// The resource ids of the Terminal page's controls.
namespace kivo::gui::terminalPageIds {

inline constexpr int edit = 1000;
inline constexpr int progressBar = 1210;
inline constexpr int progressLabel = 1211;
inline constexpr int abortHint = 1212;

} // namespace kivo::gui::terminalPageIds
