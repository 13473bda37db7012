#pragma once

// Every text the simulated Quadrix prints, in one place, so that docs/protocol.md and the
// code describe the same bytes. Formats are printf-style; each reply line ends with
// lineEnd, and the framing (echo, paging, prompt) is added around them by QuadrixDevice.
//
// The panel finds its values by keyword and by number scanning, so these texts avoid
// stray digits and keywords: no "o" in the "win all" line apart from on/off, no "on"
// inside the motion, freeze and chroma key status words, no "comp"/"rgb" in "id" other
// than the window types, no "free" or "acquire" in "host" other than the mode and status.
namespace kivo::sim::replies {

inline constexpr const char* lineEnd = "\r\n";
inline constexpr const char* prompt = "> ";
inline constexpr const char* moreMarker = "----- MORE -----";

inline constexpr const char* banner = "Halvex Quadrix video windowing processor, firmware 3.1";
inline constexpr const char* idWindow = "Win %-2d %s";
inline constexpr const char* videoType = "comp";
inline constexpr const char* rgbType = "rgb";

inline constexpr const char* echoState = "Echo is %s";
inline constexpr const char* baudRate = "Baud rate: %d";
inline constexpr const char* frontPanel = "Front panel %s";
inline constexpr const char* chromaKey = "Chroma key %s";
inline constexpr const char* chromaLimits = "Chroma key limits (mV): %d %d %d %d %d %d";

// Timing lists: the row layout puts the setting number in columns 0..3, the name in
// columns 4..21 and the values from column 22; an empty setting is its number alone.
inline constexpr const char* listHeader =
    "No. NAME              HFP HS  HBP HACT VFP VS VBP VACT HFREQ SY HP VP IL";
inline constexpr const char* listRow =
    "%-4d%-18s%-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-3d%-3d%-3d%d";
inline constexpr const char* emptyListRow = "%d";

// Current timings ("host", "rgb %d"): a header holding "VPOL IL", then a 23-character
// label and the thirteen values.
inline constexpr const char* statusHeader =
    "                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL";
inline constexpr const char* statusRow = "%-23s%-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-5d%-5d%-5d%d";
inline constexpr const char* outputMode = "Output mode: %s";
inline constexpr const char* freeRunMode = "free-run";
inline constexpr const char* autosyncMode = "autosync";
inline constexpr const char* outputStatus = "Output status: %s";
inline constexpr const char* lockedStatus = "locked";
inline constexpr const char* acquireStatus = "acquire";
inline constexpr const char* outputLabel = "Output timing:";
inline constexpr const char* windowLabel = "Window %d timing:";

inline constexpr const char* priorityList = "Priority:";
inline constexpr const char* priorityOne = "Window %d priority %d";
inline constexpr const char* onOffItem = "%d %s";
inline constexpr const char* onOffOne = "Window %d is %s";
inline constexpr const char* rectangle = "%d %d %d %d %d";
inline constexpr const char* videoSize = "Window %d input size: %d x %d";
inline constexpr const char* rgbSize = "Window %d input: RGB %d x %d";
inline constexpr const char* level = "Window %d %s: %d";
inline constexpr const char* gammaLevel = "Window %d gamma: %.1f";
inline constexpr const char* freezeState = "Window %d freeze: %s";
inline constexpr const char* motionState = "Window %d filter: %s";
// Also the lock status line of "rgb %d": "locked" or "acquire".
inline constexpr const char* windowInput = "Window %d input: %s";

inline constexpr const char* helpHeader = "Quadrix commands (n = window number):";
inline constexpr const char* helpRow = "%-34s%s";

inline constexpr const char* adjustOutput =
    "Adjusting output: h l k j move the picture, space switches image, q ends";
inline constexpr const char* adjustInput =
    "Adjusting window %d: h l k j move, H L width, J K height, q ends";
inline constexpr const char* adjustValues = "HFP %d HBP %d HACT %d VFP %d VBP %d VACT %d";
inline constexpr const char* adjustImage = "Showing the %s image";
// The keys the mode takes, told when another one comes.
inline constexpr const char* adjustOutputKeys = "Keys: h l k j space q";
inline constexpr const char* adjustInputKeys = "Keys: h l k j H L J K q";
inline constexpr const char* adjustDone = "Adjustment done";

// The first question holds no "y/n": a panel that watches for the restart question must not
// take this one for it.
inline constexpr const char* factoryQuestion =
    "Restore factory defaults? All user settings will be erased. (yes/no) ";
inline constexpr const char* factoryCancelled = "Restore cancelled";
inline constexpr const char* factoryRestoring = "Restoring factory defaults, please wait";
inline constexpr const char* factoryRestartQuestion =
    "Factory defaults restored. Restart now? (y/n) ";

inline constexpr const char* errorUnknown = "Error: unknown command \"%s\"";
inline constexpr const char* errorUsage = "Error: wrong arguments, use: %s";
inline constexpr const char* errorNoWindow = "Error: there is no window %d";
inline constexpr const char* errorRange = "Error: %s must be from %d to %d";
inline constexpr const char* errorRealRange = "Error: %s must be from %.1f to %.1f";
inline constexpr const char* errorNotRgb = "Error: window %d has no RGB input";
inline constexpr const char* errorRgb = "Error: window %d has an RGB input";
inline constexpr const char* errorSourceSize = "Error: the source must be at least %d x %d";
inline constexpr const char* errorWord = "Error: expected %s";
inline constexpr const char* errorEmptySetting = "Error: setting %d is empty";
inline constexpr const char* errorStandardSetting = "Error: setting %d is a standard setting";
inline constexpr const char* errorPriorityList = "Error: each window may appear once";
inline constexpr const char* errorLineTooLong = "Error: command line too long";
// What a misbehaving device (quadrix-sim --misbehave error) answers to everything.
inline constexpr const char* errorBusy = "Error: busy";

} // namespace kivo::sim::replies
