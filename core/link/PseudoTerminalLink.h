#pragma once

#include "core/link/DescriptorLink.h"
#include "core/link/SerialSettings.h"

#include <memory>
#include <string>

namespace kivo {

// A pseudo-terminal standing in for a serial port (the simulated Quadrix serves one).
// libserialport only opens ports it finds in the system's device tables, which a
// pseudo-terminal is not in, so this one uses the terminal interface directly.
class PseudoTerminalLink final : public DescriptorLink {
public:
    // Whether `name` is, or links to, a pseudo-terminal.
    static bool isPseudoTerminal(const std::string& name);

    static std::unique_ptr<PseudoTerminalLink> open(const std::string& name,
                                                    const SerialSettings& settings,
                                                    ReadTimeouts timeouts, std::string& error);

    std::size_t purgeReceive() override;

protected:
    std::string hangUpText() const override
    {
        return "the program serving the pseudo-terminal closed it";
    }

private:
    PseudoTerminalLink(int fd, ReadTimeouts timeouts) : DescriptorLink(fd, timeouts) {}
};

} // namespace kivo
