#include "sim/CommandInterpreter.h"

namespace kivo::sim {

CommandInterpreter::CommandInterpreter(DeviceState& state, ReferenceSignal reference)
    : state_(state), windowCommands_(state), timingCommands_(state, std::move(reference)),
      deviceCommands_(state), adjuster_(state)
{
    // help lists the commands in this order.
    deviceCommands_.addTo(table_);
    windowCommands_.addTo(table_);
    timingCommands_.addTo(table_);
}

std::string CommandInterpreter::line(std::string_view line)
{
    if (state_.awaitingFactoryConfirm)
        return deviceCommands_.confirmFactoryDefaults(line);
    return table_.execute(line);
}

std::string CommandInterpreter::key(char k) { return adjuster_.key(k); }

} // namespace kivo::sim
