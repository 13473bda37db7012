#pragma once

#include "core/link/StreamLink.h"

#include <string>
#include <sys/types.h>

namespace kivo {

// A link over an open file descriptor (a terminal or a socket): whole writes that wait while
// the line is busy, reads that wait with poll, and the descriptor closed with the link.
class DescriptorLink : public StreamLink {
public:
    ~DescriptorLink() override;
    DescriptorLink(const DescriptorLink&) = delete;
    DescriptorLink& operator=(const DescriptorLink&) = delete;

    long write(std::string_view bytes) final;
    void close() final;
    std::string errorText() const final { return error_; }

protected:
    DescriptorLink(int fd, ReadTimeouts timeouts) : StreamLink(timeouts), fd_(fd) {}

    long readAvailable(std::span<char> buffer, int timeoutMs) final;
    // One write call; a socket overrides it so a vanished peer is an error, not a signal.
    virtual ssize_t writeSome(const char* data, std::size_t size);
    int fd() const { return fd_; }
    // Who went away when the stream ends, so the operator knows which end to look at.
    virtual std::string hangUpText() const { return "the other end closed the connection"; }

private:
    // Keeps the reason for errorText() and returns the -1 that reports the failure.
    long fail(std::string reason);
    // The system's text for `error`, put as a hang-up when that is what it means.
    std::string describe(int error) const;

    int fd_;
    std::string error_;
};

} // namespace kivo
