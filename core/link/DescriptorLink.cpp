#include "core/link/DescriptorLink.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace kivo {
namespace {

// How long a write waits for a full output queue to drain before it gives up.
constexpr int writeWaitMs = 1000;

constexpr const char* closedText = "the link is closed";

} // namespace

long DescriptorLink::fail(std::string reason)
{
    error_ = std::move(reason);
    return -1;
}

std::string DescriptorLink::describe(int error) const
{
    switch (error) {
    // A socket whose peer left, a terminal whose other side was closed.
    case EPIPE:
    case ECONNRESET:
    case EIO:
        return hangUpText() + " (" + std::strerror(error) + ")";
    default:
        return std::strerror(error);
    }
}

DescriptorLink::~DescriptorLink() { close(); }

ssize_t DescriptorLink::writeSome(const char* data, std::size_t size)
{
    return ::write(fd_, data, size);
}

long DescriptorLink::write(std::string_view bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        if (fd_ < 0)
            return fail(closedText);
        const ssize_t n = writeSome(bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0)
            return fail("the line took none of the bytes");
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return fail(describe(errno));
        pollfd waiter{fd_, POLLOUT, 0};
        const int ready = ::poll(&waiter, 1, writeWaitMs);
        if (ready > 0)
            continue;
        return fail(ready == 0 ? "the line took nothing for a second: the other end is not reading"
                               : describe(errno));
    }
    return fd_ >= 0 ? static_cast<long>(sent) : fail(closedText);
}

long DescriptorLink::readAvailable(std::span<char> buffer, int timeoutMs)
{
    if (fd_ < 0)
        return fail(closedText);
    pollfd waiter{fd_, POLLIN, 0};
    const int ready = ::poll(&waiter, 1, timeoutMs < 1 ? 1 : timeoutMs);
    if (ready < 0)
        return errno == EINTR ? 0 : fail(describe(errno));
    if (ready == 0)
        return 0;
    const ssize_t n = ::read(fd_, buffer.data(), buffer.size());
    if (n < 0)
        return errno == EAGAIN || errno == EINTR ? 0 : fail(describe(errno));
    // The other side went away (terminal closed, peer hung up): a failed read, not silence.
    return n == 0 ? fail(hangUpText()) : static_cast<long>(n);
}

void DescriptorLink::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace kivo
