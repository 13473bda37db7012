#pragma once

#include "app/SerialSettings.h"
#include "app/StreamLink.h"

#include <memory>
#include <string>

namespace kivo {

// A pseudo-terminal standing in for a serial port (the simulated Quadrix serves one).
// libserialport only opens ports it finds in the system's device tables, which a
// pseudo-terminal is not in, so this one uses the terminal interface directly.
class PseudoTerminalLink final : public StreamLink {
public:
    ~PseudoTerminalLink() override;

    // Whether `name` is, or links to, a pseudo-terminal.
    static bool isPseudoTerminal(const std::string& name);

    static std::unique_ptr<PseudoTerminalLink> open(const std::string& name,
                                                    const SerialSettings& settings,
                                                    ReadTimeouts timeouts, std::string& error);

    long write(std::string_view bytes) override;
    void purgeReceive() override;
    void close() override;

protected:
    long readAvailable(std::span<char> buffer, int timeoutMs) override;

private:
    PseudoTerminalLink(int fd, ReadTimeouts timeouts);

    int fd_;
};

} // namespace kivo
