#include "core/link/TcpLink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kivo {
namespace {

constexpr int connectTimeoutMs = 3000;

// Waits for a non-blocking connect to finish; returns 0 or the errno of the failure.
int finishConnect(int fd)
{
    pollfd waiter{fd, POLLOUT, 0};
    const int ready = ::poll(&waiter, 1, connectTimeoutMs);
    if (ready == 0)
        return ETIMEDOUT;
    if (ready < 0)
        return errno;
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
    return error;
}

int connectTo(const addrinfo& address, int& error)
{
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                            address.ai_protocol);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    error = ::connect(fd, address.ai_addr, address.ai_addrlen) == 0 ? 0 : errno;
    if (error == EINPROGRESS)
        error = finishConnect(fd);
    if (error != 0) {
        ::close(fd);
        return -1;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return fd;
}

} // namespace

std::unique_ptr<TcpLink> TcpLink::open(const std::string& name, ReadTimeouts timeouts,
                                       std::string& error)
{
    const std::string target = name.substr(scheme.size());
    const auto colon = target.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == target.size()) {
        error = "Cannot use " + name + ": write a network port as tcp:HOST:PORT.";
        return nullptr;
    }
    const std::string host = target.substr(0, colon);
    const std::string port = target.substr(colon + 1);
    const bool numeric = port.find_first_not_of("0123456789") == std::string::npos;
    if (!numeric || port.size() > 5 || std::stoi(port) < 1 || std::stoi(port) > 65535) {
        error = "Cannot use " + name + ": the network port must be a number from 1 to 65535.";
        return nullptr;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int status = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found); status != 0) {
        error = "Cannot find " + host + ":" + port + ": " + ::gai_strerror(status) + ".";
        return nullptr;
    }
    int lastError = 0;
    int fd = -1;
    for (const addrinfo* address = found; address && fd < 0; address = address->ai_next)
        fd = connectTo(*address, lastError);
    ::freeaddrinfo(found);
    if (fd < 0) {
        error = "Cannot connect to " + host + ":" + port + ": " + std::strerror(lastError) +
                ". Is the converter on and listening there?";
        return nullptr;
    }
    return std::unique_ptr<TcpLink>(new TcpLink(fd, timeouts));
}

ssize_t TcpLink::writeSome(const char* data, std::size_t size)
{
    return ::send(fd(), data, size, MSG_NOSIGNAL);
}

std::size_t TcpLink::purgeReceive()
{
    char discard[256];
    std::size_t dropped = 0;
    for (ssize_t got = 1; fd() >= 0 && got > 0;) {
        got = ::recv(fd(), discard, sizeof discard, MSG_DONTWAIT);
        dropped += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    return dropped;
}

} // namespace kivo
