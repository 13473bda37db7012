#include "core/link/PortErrors.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string notASerialPort(const std::string& name)
{
    struct stat status {};
    if (::stat(name.c_str(), &status) != 0)
        return {};
    bool terminal = false;
    if (S_ISCHR(status.st_mode)) {
        // A character device is a serial port only when it is a terminal: /dev/null and
        // /dev/zero are not. Opening without blocking answers that without waiting for a line.
        const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return {}; // let the port's own open say why (permissions, busy)
        terminal = ::isatty(fd) != 0;
        ::close(fd);
    }
    return terminal ? std::string() : explainPortOpenFailure(name, ENOTTY);
}

} // namespace kivo
