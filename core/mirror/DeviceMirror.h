#pragma once

#include "core/mirror/WindowRecord.h"
#include "core/timing/TimingRecord.h"

#include <array>

namespace kivo {

// The panel's copy of the device state: the ten window records and what the queries learn
// about the device as a whole. Filled by the bring-up and readback, changed by the pages.
struct DeviceMirror {
    static constexpr unsigned maxWindows = 10;

    std::array<WindowRecord, maxWindows> windows{};
    unsigned windowCount = maxWindows;
    unsigned windowsOn = maxWindows;
    unsigned priorityListLength = maxWindows;
    double firmwareRevision = 0.0;
    int selectedWindow = 0; // zero-based index of the window on top at the last readback
    // The device's output: its timing as the "host" query reads it, free-running or locked to
    // a reference, and the raster the arrangements divide (HACT x VACT as read, before the
    // divisors are made non-zero).
    TimingRecord outputTiming = TimingRecord::defaultCurrent();
    bool outputFreeRun = true;
    int outputWidth = 640;
    int outputHeight = 480;
    // The number of the window whose swap marker blinks, waiting for a second window; 0 none.
    int blinkEnabled = 0;
    // While a user arrangement is laid out, placements leave the stacking to one group command.
    bool applyingArrangement = false;

    // Window n, counted from 1 as the device counts them.
    WindowRecord& window(int number) { return windows.at(static_cast<std::size_t>(number - 1)); }
    const WindowRecord& window(int number) const
    {
        return windows.at(static_cast<std::size_t>(number - 1));
    }
};

} // namespace kivo
