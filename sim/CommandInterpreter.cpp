#include "sim/CommandInterpreter.h"

namespace kivo::sim {

CommandInterpreter::CommandInterpreter(DeviceState& state, ReferenceSignal reference,
                                       FactoryReply factoryReply)
    : windowCommands_(state), timingCommands_(state, reference), deviceCommands_(state),
      factoryReset_(state, factoryReply, reference.nowMs), adjuster_(state)
{
    // help lists the commands in this order.
    deviceCommands_.addTo(table_);
    factoryReset_.addTo(table_);
    windowCommands_.addTo(table_);
    timingCommands_.addTo(table_);
}

std::string CommandInterpreter::line(std::string_view line)
{
    if (factoryReset_.running())
        return factoryReset_.line(line);
    return table_.execute(line);
}

std::string CommandInterpreter::key(char k) { return adjuster_.key(k); }

} // namespace kivo::sim
