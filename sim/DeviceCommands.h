#pragma once

#include "sim/CommandTable.h"
#include "sim/DeviceState.h"

#include <string>

namespace kivo::sim {

// The device-wide commands of the simulated Quadrix: echo, identity, help, serial rate,
// front panel, chroma key and the script pause.
class DeviceCommands {
public:
    explicit DeviceCommands(DeviceState& state);

    // help lists the forms of table, this group's among them.
    void addTo(CommandTable& table);

private:
    void addSerial(CommandTable& table);
    void addChromaKey(CommandTable& table);
    std::string setChromaLimits(const std::vector<int>& limits);
    std::string identity() const;

    DeviceState& state_;
};

} // namespace kivo::sim
