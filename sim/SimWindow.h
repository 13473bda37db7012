#pragma once

#include "sim/VideoTiming.h"

namespace kivo::sim {

// A rectangle as the device's commands carry it: left, top, width, height.
struct SimRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class Connector { composite, svideo, automatic };

// One video window of the simulated Quadrix: its input, placement and picture levels.
struct SimWindow {
    bool rgb = false;
    bool on = true;
    bool locked = true;
    SimRect dest;
    SimRect source;
    int inputWidth = 640;
    int inputHeight = 480;
    VideoTiming inputTiming;
    int brightness = 0;
    int contrast = 100;
    int saturation = 100;
    int hue = 0;
    double gamma = 1.0;
    bool frozen = false;
    bool motion = false;
    Connector connector = Connector::composite;
    std::string pendingName;
};

} // namespace kivo::sim
