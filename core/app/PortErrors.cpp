#include "core/app/PortErrors.h"

#include <cerrno>
#include <cstring>

namespace kivo {

std::string explainPortOpenFailure(const std::string& name, int error)
{
    const std::string prefix = "Cannot open serial port " + name + ": ";
    switch (error) {
    case EACCES:
    case EPERM:
        return prefix + "permission denied. Add your user to the dialout group "
                        "(sudo usermod -aG dialout $USER) and log in again.";
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return prefix + "no such device. Is the adapter plugged in? 'kivo-cli ports' lists "
                        "the serial ports of this machine.";
    case EBUSY:
        return prefix + "the port is in use by another program.";
    case ENOTTY:
        return prefix + "this is not a serial port.";
    default:
        return prefix + (error ? std::strerror(error) : "unknown error") + ".";
    }
}

} // namespace kivo
