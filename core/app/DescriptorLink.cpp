#include "core/app/DescriptorLink.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace kivo {
namespace {

// How long a write waits for a full output queue to drain before it gives up.
constexpr int writeWaitMs = 1000;

} // namespace

DescriptorLink::~DescriptorLink() { close(); }

ssize_t DescriptorLink::writeSome(const char* data, std::size_t size)
{
    return ::write(fd_, data, size);
}

long DescriptorLink::write(std::string_view bytes)
{
    std::size_t sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
        const ssize_t n = writeSome(bytes.data() + sent, bytes.size() - sent);
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

long DescriptorLink::readAvailable(std::span<char> buffer, int timeoutMs)
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
    // The other side went away (terminal closed, peer hung up): a failed read, not silence.
    return n == 0 ? -1 : static_cast<long>(n);
}

void DescriptorLink::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace kivo
