#include "sim/PseudoTerminal.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kivo::sim {

namespace {

std::string failure(const std::string& what) { return what + ": " + std::strerror(errno); }

struct SpeedCode {
    int baud;
    speed_t code;
};

constexpr std::array<SpeedCode, 13> speedCodes{{{300, B300},
                                                {600, B600},
                                                {1200, B1200},
                                                {2400, B2400},
                                                {4800, B4800},
                                                {9600, B9600},
                                                {19200, B19200},
                                                {38400, B38400},
                                                {57600, B57600},
                                                {115200, B115200},
                                                {230400, B230400},
                                                {460800, B460800},
                                                {921600, B921600}}};

std::optional<speed_t> speedCode(int baud)
{
    const auto found = std::find_if(speedCodes.begin(), speedCodes.end(),
                                    [baud](const SpeedCode& s) { return s.baud == baud; });
    return found == speedCodes.end() ? std::nullopt : std::optional<speed_t>(found->code);
}

// Raw, and at the device's first rate, so that a client that never sets a speed talks at it.
bool makeRaw(int fd, int baud)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    if (const std::optional<speed_t> code = speedCode(baud))
        cfsetspeed(&settings, *code);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

// Replaces a stale symbolic link; refuses to touch anything else.
bool placeLink(const std::string& target, const std::string& linkPath, std::string& error)
{
    struct stat info {};
    if (lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = linkPath + " exists and is not a symbolic link";
            return false;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = failure("cannot create " + linkPath);
        return false;
    }
    return true;
}

} // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::open(const std::string& linkPath, int baud,
                                                     std::string& error)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = failure("cannot open a pseudo-terminal");
        return nullptr;
    }
    const char* name = (grantpt(master) == 0 && unlockpt(master) == 0) ? ptsname(master) : nullptr;
    const int slave = name != nullptr ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0 || !makeRaw(slave, baud) || fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
        error = failure("cannot set up the pseudo-terminal");
        if (slave >= 0)
            ::close(slave);
        ::close(master);
        return nullptr;
    }
    const std::string slavePath = name;
    if (!placeLink(slavePath, linkPath, error)) {
        ::close(slave);
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, slavePath, linkPath));
}

PseudoTerminal::PseudoTerminal(int master, int slave, std::string slavePath, std::string linkPath)
    : master_(master), slave_(slave), slavePath_(std::move(slavePath)),
      linkPath_(std::move(linkPath))
{
}

std::optional<int> PseudoTerminal::clientSpeed() const
{
    // The slave's own settings: on Linux the master reports the same, but not everywhere.
    termios settings{};
    if (tcgetattr(slave_, &settings) != 0)
        return std::nullopt;
    const speed_t code = cfgetospeed(&settings);
    const auto found = std::find_if(speedCodes.begin(), speedCodes.end(),
                                    [code](const SpeedCode& s) { return s.code == code; });
    return found == speedCodes.end() ? std::nullopt : std::optional<int>(found->baud);
}

PseudoTerminal::~PseudoTerminal()
{
    unlink(linkPath_.c_str());
    ::close(slave_);
    ::close(master_);
}

} // namespace kivo::sim
