#pragma once

#include "sim/DeviceState.h"

#include <string>

namespace kivo::sim {

// The interactive adjustment mode started by "hi" (output) or "rgbi n" (an RGB window's
// input): every byte is a key that nudges the picture, until "q" ends the mode.
class Adjuster {
public:
    explicit Adjuster(DeviceState& state);

    // The reply to one key.
    std::string key(char k);

private:
    // Adds step to one value and takes it from the front porch of the same direction,
    // unless either would go below 0.
    std::string shift(int VideoTiming::*changed, int VideoTiming::*front, int step);
    VideoTiming& target();

    DeviceState& state_;
};

} // namespace kivo::sim
