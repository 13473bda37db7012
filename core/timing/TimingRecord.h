#pragma once

#include <string>

namespace kivo {

// The picture levels the device takes, which an input setting carries with its timing.
inline constexpr int minimumBrightness = -500;
inline constexpr int maximumBrightness = 500;
inline constexpr int minimumContrast = 0;
inline constexpr int maximumContrast = 182;
inline constexpr double minimumGamma = 0.5;
inline constexpr double maximumGamma = 2.0;

// One video timing: an output or input setting, the current output timing, or a window's
// input timing. Blank and total are derived where shown, never stored.
struct TimingRecord {
    std::string rowText;
    std::string NAME;
    int locked = 1;
    int HACT = 0;
    int HFP = 0;
    int HS = 0;
    int HBP = 0;
    int VACT = 0;
    int VFP = 0;
    int VS = 0;
    int VBP = 0;
    int SYNC = 0;
    int HPOL = 0;
    int VPOL = 0;
    int IL = 0;
    int HFREQ = 0;
    int brightness = 0;
    int contrast = 100;
    double gamma = 1.0;

    // The timing a window or the output has before anything was read: 640 x 480 and
    // every other number 0.
    static TimingRecord defaultCurrent()
    {
        TimingRecord record;
        record.HACT = 640;
        record.VACT = 480;
        record.HFREQ = 1;
        record.locked = 0;
        record.contrast = 0;
        record.gamma = 0.0;
        return record;
    }
};

} // namespace kivo
