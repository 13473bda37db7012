#pragma once

#include "sim/Adjuster.h"
#include "sim/CommandTable.h"
#include "sim/DeviceCommands.h"
#include "sim/DeviceState.h"
#include "sim/FactoryReset.h"
#include "sim/TimingCommands.h"
#include "sim/WindowCommands.h"

#include <string>
#include <string_view>

namespace kivo::sim {

// Turns one command of the simulated Quadrix into a change of its state and the reply
// lines, without framing: a line in the normal mode, a key in the adjustment mode.
class CommandInterpreter {
public:
    explicit CommandInterpreter(DeviceState& state, ReferenceSignal reference = {},
                                FactoryReply factoryReply = FactoryReply::prompt);
    CommandInterpreter(const CommandInterpreter&) = delete;
    CommandInterpreter& operator=(const CommandInterpreter&) = delete;

    std::string line(std::string_view line);
    std::string key(char k);
    FactoryReset& factoryReset() { return factoryReset_; }
    const FactoryReset& factoryReset() const { return factoryReset_; }

private:
    CommandTable table_;
    WindowCommands windowCommands_;
    TimingCommands timingCommands_;
    DeviceCommands deviceCommands_;
    FactoryReset factoryReset_;
    Adjuster adjuster_;
};

} // namespace kivo::sim
