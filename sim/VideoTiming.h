#pragma once

#include <string>

namespace kivo::sim {

// One video timing as the simulated Quadrix keeps it: a stored output or input setting,
// the current output timing, or an RGB window's input timing.
struct VideoTiming {
    std::string name;
    int hfp = 0;
    int hs = 0;
    int hbp = 0;
    int hact = 0;
    int vfp = 0;
    int vs = 0;
    int vbp = 0;
    int vact = 0;
    int hfreq = 0;
    int sync = 4;
    int hpol = 0;
    int vpol = 0;
    int il = 0;
};

} // namespace kivo::sim
