#include "app/LinkOpener.h"

#include "app/PseudoTerminalLink.h"
#include "app/SerialLink.h"
#include "app/TcpLink.h"

namespace kivo {

void LinkOpener::addBuiltInDevice(const std::string& name, DeviceMaker maker)
{
    builtIn_[name] = std::move(maker);
}

LinkOpener::Result LinkOpener::open(const std::string& port, const SerialSettings& settings) const
{
    Result result;
    if (port.empty()) {
        result.error = "No serial port is set: give one with --port PORT ('kivo-cli ports' "
                       "lists them), or --port sim for the simulated Quadrix.";
    } else if (const auto device = builtIn_.find(port); device != builtIn_.end()) {
        result.link = device->second();
    } else if (port.starts_with(TcpLink::scheme)) {
        result.link = TcpLink::open(port, timeouts_, result.error);
    } else if (PseudoTerminalLink::isPseudoTerminal(port)) {
        result.link = PseudoTerminalLink::open(port, settings, timeouts_, result.error);
    } else {
        result.link = SerialLink::open(port, settings, timeouts_, result.error);
    }
    return result;
}

} // namespace kivo
