#include "core/link/LinkOpener.h"

#include "core/link/PortErrors.h"
#include "core/link/PseudoTerminalLink.h"
#include "core/link/SerialLink.h"
#include "core/link/TcpLink.h"

namespace kivo {

void LinkOpener::addBuiltInDevice(const std::string& name, DeviceMaker maker)
{
    builtIn_[name] = std::move(maker);
}

namespace {

// A pseudo-terminal hands bytes over as they are written.
constexpr int pseudoTerminalFloorMs = 10;
// USB serial adapters hold what they received for up to 16 ms before passing it on.
constexpr int serialPortFloorMs = 25;

} // namespace

ReadTimeouts LinkOpener::lineTimeouts(const SerialSettings& settings, int floorMs) const
{
    return override_.value_or(ReadTimeouts::forLine(settings.baudRate, floorMs));
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
        result.link =
            TcpLink::open(port, override_.value_or(ReadTimeouts::forNetwork()), result.error);
    } else if (PseudoTerminalLink::isPseudoTerminal(port)) {
        result.link = PseudoTerminalLink::open(
            port, settings, lineTimeouts(settings, pseudoTerminalFloorMs), result.error);
    } else if (const std::string notSerial = notASerialPort(port); !notSerial.empty()) {
        result.error = notSerial;
    } else {
        result.link = SerialLink::open(port, settings, lineTimeouts(settings, serialPortFloorMs),
                                       result.error);
    }
    return result;
}

} // namespace kivo
