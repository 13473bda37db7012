#pragma once

#include "core/link/SerialSettings.h"
#include "core/link/StreamLink.h"

#include <memory>
#include <string>
#include <vector>

struct sp_port;

namespace kivo {

// A local serial port (/dev/ttyUSB0, /dev/serial/by-id/..., COM3) through libserialport.
class SerialLink final : public StreamLink {
public:
    ~SerialLink() override;

    // Opens and configures the port; on failure returns null and says why in `error`.
    static std::unique_ptr<SerialLink> open(const std::string& name, const SerialSettings& settings,
                                            ReadTimeouts timeouts, std::string& error);

    // The machine's serial ports, stable names (/dev/serial/by-id) first.
    static std::vector<std::string> listPorts();

    long write(std::string_view bytes) override;
    std::size_t purgeReceive() override;
    void close() override;
    std::string errorText() const override { return error_; }

protected:
    long readAvailable(std::span<char> buffer, int timeoutMs) override;

private:
    SerialLink(sp_port* port, const SerialSettings& settings, ReadTimeouts timeouts);

    sp_port* port_;
    SerialSettings settings_;
    std::string error_;
};

} // namespace kivo
