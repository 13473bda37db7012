#include "core/link/PseudoTerminalLink.h"

#include "core/link/PortErrors.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace kivo {
namespace {

// The terminal's code for a rate; nothing for a rate a terminal cannot be set to.
std::optional<speed_t> speedCode(std::uint32_t baud)
{
    constexpr std::array<std::pair<std::uint32_t, speed_t>, 8> codes{{{1200, B1200},
                                                                      {2400, B2400},
                                                                      {4800, B4800},
                                                                      {9600, B9600},
                                                                      {19200, B19200},
                                                                      {38400, B38400},
                                                                      {57600, B57600},
                                                                      {115200, B115200}}};
    const auto found = std::find_if(codes.begin(), codes.end(),
                                    [baud](const auto& code) { return code.first == baud; });
    return found == codes.end() ? std::nullopt : std::optional<speed_t>(found->second);
}

// Raw bytes both ways: no echo, no line editing, no translation of line ends.
bool makeRaw(int fd, const SerialSettings& settings)
{
    termios mode{};
    if (::tcgetattr(fd, &mode) != 0)
        return false;
    ::cfmakeraw(&mode);
    mode.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB);
    mode.c_cflag |= (settings.byteSize == 7 ? CS7 : CS8) | CLOCAL | CREAD;
    if (settings.parity != 0)
        mode.c_cflag |= PARENB | (settings.parity == 1 ? PARODD : 0);
    if (settings.stopBits != 0)
        mode.c_cflag |= CSTOPB;
    // The far end may watch the speed, as a device behind a real line hears only its own.
    if (const std::optional<speed_t> code = speedCode(settings.baudRate))
        ::cfsetspeed(&mode, *code);
    return ::tcsetattr(fd, TCSANOW, &mode) == 0;
}

} // namespace

bool PseudoTerminalLink::isPseudoTerminal(const std::string& name)
{
    std::error_code ec;
    const std::filesystem::path device = std::filesystem::canonical(name, ec);
    return !ec && device.string().starts_with("/dev/pts/");
}

std::unique_ptr<PseudoTerminalLink> PseudoTerminalLink::open(const std::string& name,
                                                             const SerialSettings& settings,
                                                             ReadTimeouts timeouts,
                                                             std::string& error)
{
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = explainPortOpenFailure(name, errno);
        return nullptr;
    }
    if (!::isatty(fd) || !makeRaw(fd, settings)) {
        error = explainPortOpenFailure(name, errno ? errno : ENOTTY);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminalLink>(new PseudoTerminalLink(fd, timeouts));
}

std::size_t PseudoTerminalLink::purgeReceive()
{
    if (fd() < 0)
        return 0;
    int waiting = 0;
    if (::ioctl(fd(), FIONREAD, &waiting) != 0)
        waiting = 0;
    ::tcflush(fd(), TCIFLUSH);
    return static_cast<std::size_t>(std::max(waiting, 0));
}

} // namespace kivo
