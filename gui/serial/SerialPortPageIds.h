#pragma once

#include "core/link/SerialSettings.h"

#include <algorithm>
#include <array>

// The resource ids of the Serial Port and Resets page's controls: the tests find a control by
// its id.
namespace kivo::gui::serialPortPageIds {

// The panel's own port.
inline constexpr int localGroup = 1187;
inline constexpr int localBaudGroup = 1163;
inline constexpr int parityGroup = 1174;
inline constexpr int characterSizeGroup = 1170;
inline constexpr int stopBitsGroup = 1204;
// The rate buttons, in the order of baudRates.
inline constexpr std::array<int, baudRates.size()> localBauds{1164, 1165, 1166, 1167,
                                                              1168, 1169, 1173, 1175};

// The Quadrix's port.
inline constexpr int deviceGroup = 1179;
inline constexpr int deviceBaudGroup = 1195;
// The rate buttons, in the order of baudRates, from this one on.
inline constexpr int firstDeviceBaud = 1196;
inline constexpr int echoGroup = 1182;
inline constexpr int echoOn = 1183;
inline constexpr int echoOff = 1184;

inline constexpr int reset = 1185;
inline constexpr int factoryDefaults = 1180;
inline constexpr int frontPanel = 1186;

// Where `rate`, one of baudRates, stands among them, and its buttons.
constexpr int rateIndex(int rate)
{
    return static_cast<int>(std::ranges::find(baudRates, rate) - baudRates.begin());
}
constexpr int localBaud(int rate)
{
    return localBauds.at(static_cast<std::size_t>(rateIndex(rate)));
}
constexpr int deviceBaud(int rate) { return firstDeviceBaud + rateIndex(rate); }

} // namespace kivo::gui::serialPortPageIds
