#pragma once

#include "sim/SimWindow.h"
#include "sim/VideoTiming.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kivo::sim {

// What the interactive adjustment mode is moving, if anything.
enum class AdjustTarget { none, output, window };

// The whole state of the simulated Quadrix: what the set commands change and the
// queries read back.
struct DeviceState {
    static constexpr int outputSettingCount = 27;
    static constexpr int userOutputSettings = 10;
    static constexpr int inputSettingCount = 50;
    // The most windows any Quadrix has; group commands may list this many.
    static constexpr int maxWindows = 10;

    std::vector<SimWindow> windows;
    // Window numbers front to back; every window appears once, on or off.
    std::vector<int> stack;

    VideoTiming output;
    bool freeRun = true;
    // When "host auto" came, by the reference's clock; unset in free-run.
    std::optional<std::int64_t> autosyncSinceMs;
    std::string pendingOutputName;
    std::array<std::optional<VideoTiming>, outputSettingCount> outputSettings;
    std::array<std::optional<VideoTiming>, inputSettingCount> inputSettings;

    bool echo = true;
    int baud = 9600;
    bool frontPanelEnabled = true;
    bool chromaKeyOn = false;
    // Red, green, blue minimum and maximum in mV, in the order the "ckc" command uses.
    std::array<int, 6> chromaLimits{-270, 175, -270, 175, -270, 175};

    AdjustTarget adjust = AdjustTarget::none;
    int adjustWindow = 0;
    bool adjustSecondImage = false;

    // The state after a restore of factory defaults, for a device with windowCount
    // windows (2, 4, 6, 8 or 10).
    static DeviceState factoryDefaults(int windowCount);

    int windowCount() const { return static_cast<int>(windows.size()); }
    // The window with number n (1-based), or nullptr when there is none.
    SimWindow* window(int n);
    const SimWindow* window(int n) const;
};

} // namespace kivo::sim
