#pragma once

#include "app/Link.h"

namespace kivo {

// How long a read waits: for the first byte of a chunk, and then for each further byte
// before it hands over what it has. The last read of every reply waits firstByteMs in vain,
// so that figure is paid once per reply.
struct ReadTimeouts {
    int firstByteMs = 20;
    int interByteMs = 5;
};

// The read time-out logic shared by every link that is a byte stream (serial port, TCP).
class StreamLink : public Link {
public:
    explicit StreamLink(ReadTimeouts timeouts) : timeouts_(timeouts) {}
    long read(std::span<char> buffer) final;

protected:
    // Waits up to timeoutMs (at least 1) for data and returns what has arrived:
    // the byte count, 0 for none, -1 for a failure.
    virtual long readAvailable(std::span<char> buffer, int timeoutMs) = 0;

private:
    ReadTimeouts timeouts_;
};

} // namespace kivo
