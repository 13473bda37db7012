#pragma once

#include <string>

namespace kivo {
struct PanelState;
} // namespace kivo

namespace kivo::cli {

// What a bring-up learned about the device: the window count, the output timing, each
// window's input, stacking, rectangles and levels, and both timing lists as their rows.
struct StatusFacts {
    const PanelState& state;
    int deviceBaud;
    bool deviceEcho;
};

std::string formatStatusText(const StatusFacts& facts);
// The same facts as JSON, under the field names the panel uses.
std::string formatStatusJson(const StatusFacts& facts);

} // namespace kivo::cli
