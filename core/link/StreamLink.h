#pragma once

#include "core/link/Link.h"

#include <cstdint>

namespace kivo {

// How long a read waits: for the first byte of a chunk, and then for each further byte
// before it hands over what it has. The last read of every reply waits firstByteMs in vain,
// so that figure is paid once per reply.
struct ReadTimeouts {
    int firstByteMs = 10;
    int interByteMs = 1;

    // A line at `baud`: a few character times, and never under `floorMs`, so a device (or an
    // adapter) that pauses briefly inside a reply does not cut it off.
    static ReadTimeouts forLine(std::uint32_t baud, int floorMs);
    // A serial-to-Ethernet converter packs the line into packets and adds network delay.
    static ReadTimeouts forNetwork() { return {50, 20}; }
};

// The read time-out logic shared by every link that is a byte stream (serial port, TCP).
class StreamLink : public Link {
public:
    explicit StreamLink(ReadTimeouts timeouts) : timeouts_(timeouts) {}
    long read(std::span<char> buffer) final;
    int readTimeoutMs() const final { return timeouts_.firstByteMs; }

protected:
    // Waits up to timeoutMs (at least 1) for data and returns what has arrived:
    // the byte count, 0 for none, -1 for a failure with its reason kept for errorText().
    virtual long readAvailable(std::span<char> buffer, int timeoutMs) = 0;

private:
    ReadTimeouts timeouts_;
};

} // namespace kivo
