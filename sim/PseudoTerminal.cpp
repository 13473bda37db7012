#include "sim/PseudoTerminal.h"

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

bool makeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
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

std::unique_ptr<PseudoTerminal> PseudoTerminal::open(const std::string& linkPath,
                                                     std::string& error)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) {
        error = failure("cannot open a pseudo-terminal");
        return nullptr;
    }
    const char* name = (grantpt(master) == 0 && unlockpt(master) == 0) ? ptsname(master) : nullptr;
    const int slave = name != nullptr ? ::open(name, O_RDWR | O_NOCTTY) : -1;
    if (slave < 0 || !makeRaw(slave) || fcntl(master, F_SETFL, O_NONBLOCK) != 0) {
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

PseudoTerminal::~PseudoTerminal()
{
    unlink(linkPath_.c_str());
    ::close(slave_);
    ::close(master_);
}

} // namespace kivo::sim
