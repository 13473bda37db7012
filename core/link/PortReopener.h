#pragma once

#include <string>

namespace kivo {

// Opens the panel's port again, closing it first, with the local parameters as they are now
// (after a reset, a baud-rate change or a restoration of factory defaults).
class PortReopener {
public:
    virtual ~PortReopener() = default;
    // True when the port is open afterwards; otherwise `error` says why in one line.
    virtual bool reopenPort(std::string& error) = 0;
};

} // namespace kivo
