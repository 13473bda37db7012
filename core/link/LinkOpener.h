#pragma once

#include "core/link/Link.h"
#include "core/link/SerialSettings.h"
#include "core/link/StreamLink.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace kivo {

// Turns a port name into a link: "tcp:HOST:PORT" for a serial-to-Ethernet converter, a
// built-in device name such as "sim", and anything else a serial port.
class LinkOpener {
public:
    struct Result {
        std::unique_ptr<Link> link;
        std::string error;
    };
    using DeviceMaker = std::function<std::unique_ptr<Link>()>;

    void addBuiltInDevice(const std::string& name, DeviceMaker maker);
    // Replaces the time-outs chosen for each kind of link (for measuring them).
    void overrideReadTimeouts(ReadTimeouts timeouts) { override_ = timeouts; }

    Result open(const std::string& port, const SerialSettings& settings) const;

private:
    ReadTimeouts lineTimeouts(const SerialSettings& settings, int floorMs) const;

    std::map<std::string, DeviceMaker> builtIn_;
    std::optional<ReadTimeouts> override_;
};

} // namespace kivo
