#include "app/PseudoTerminalLink.h"

#include "app/PortErrors.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kivo {
namespace {

constexpr int writeWaitMs = 1000;

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
    return ::tcsetattr(fd, TCSANOW, &mode) == 0;
}

} // namespace

PseudoTerminalLink::PseudoTerminalLink(int fd, ReadTimeouts timeouts)
    : StreamLink(timeouts), fd_(fd)
{
}

PseudoTerminalLink::~PseudoTerminalLink() { close(); }

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

long PseudoTerminalLink::write(std::string_view bytes)
{
    std::size_t sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        pollfd waiter{fd_, POLLOUT, 0};
        if (n < 0 && (errno == EINTR || (errno == EAGAIN && ::poll(&waiter, 1, writeWaitMs) > 0)))
            continue;
        return -1;
    }
    return fd_ >= 0 ? static_cast<long>(sent) : -1;
}

long PseudoTerminalLink::readAvailable(std::span<char> buffer, int timeoutMs)
{
    if (fd_ < 0)
        return -1;
    pollfd waiter{fd_, POLLIN, 0};
    const int ready = ::poll(&waiter, 1, timeoutMs < 1 ? 1 : timeoutMs);
    if (ready <= 0)
        return ready == 0 || errno == EINTR ? 0 : -1;
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n < 0)
        return errno == EAGAIN || errno == EINTR ? 0 : -1;
    // The other side of the terminal went away: a failed read, not silence.
    return n == 0 ? -1 : static_cast<long>(n);
}

void PseudoTerminalLink::purgeReceive()
{
    if (fd_ >= 0)
        ::tcflush(fd_, TCIFLUSH);
}

void PseudoTerminalLink::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace kivo
