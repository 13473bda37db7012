#pragma once

#include "sim/CommandTable.h"
#include "sim/DeviceState.h"

#include <string>

namespace kivo::sim {

// The per-window commands of the simulated Quadrix: on/off, stacking, destination and
// source rectangles, input size, picture levels, freeze, motion filter and connector.
class WindowCommands {
public:
    explicit WindowCommands(DeviceState& state);

    void addTo(CommandTable& table);

private:
    // A numeric picture level: its command, the word its reply uses, its field and range.
    struct Level {
        const char* command;
        const char* label;
        int SimWindow::*field;
        int min;
        int max;
        // RGB windows take a narrower range where they take the level at all.
        int rgbMin;
        int rgbMax;
        bool rgbToo;
    };
    // An on/off picture state.
    struct Switch {
        const char* command;
        const char* reply;
        bool SimWindow::*field;
        bool rgbToo;
        // Also takes older firmware's words: "field" for on, "frame" for off.
        bool fieldFrameToo;
    };

    void addOnOff(CommandTable& table, const char* word);
    void addPriority(CommandTable& table);
    void addRectangles(CommandTable& table);
    void addLevel(CommandTable& table, const Level& level);
    void addGamma(CommandTable& table);
    void addSwitch(CommandTable& table, const Switch& sw);
    void addInput(CommandTable& table);

    // Runs body on window n when it exists and, unless rgbToo, has a video input.
    template <typename Body> std::string onWindow(int n, bool rgbToo, Body body);

    std::string onOffAll() const;
    std::string setOnOffAll(const std::vector<std::string>& words);
    std::string priorityAll() const;
    std::string setPriorityAll(const std::vector<int>& order);
    std::string setPriority(int n, int position);
    std::string setSource(SimWindow& w, SimRect r);

    DeviceState& state_;
};

} // namespace kivo::sim
