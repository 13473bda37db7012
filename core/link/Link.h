#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kivo {

// The byte pipe to the Quadrix: a serial port, a serial-to-Ethernet converter or the
// simulated device. Everything above it is the same whichever one is behind it.
class Link {
public:
    // A read asks for at most this many bytes.
    static constexpr std::size_t maxReadSize = 80;

    virtual ~Link() = default;

    // Writes the whole buffer. Returns the bytes written, or -1 when the write failed.
    virtual long write(std::string_view bytes) = 0;

    // Returns what arrives within the read time-out, at most buffer.size() bytes:
    // 0 means nothing has arrived yet, -1 that the read failed. A read that returns fewer
    // bytes than asked stopped because the line paused; a full one may have more behind it.
    virtual long read(std::span<char> buffer) = 0;

    // How long a read waits for a first byte before it returns nothing.
    virtual int readTimeoutMs() const = 0;

    // Why the last write or read that returned -1 failed, in words an operator can act on.
    // Each link keeps it at the moment of failure: errno means nothing once the call is over.
    virtual std::string errorText() const = 0;

    // Drops whatever has been received and not yet read; returns how many bytes it dropped.
    virtual std::size_t purgeReceive() = 0;

    // The longest pause the link itself may put between the bytes of one reply, beyond the
    // line's own pace: a serial-to-Ethernet converter hands the line on in packets. 0 for a
    // line that passes each byte on as it comes.
    virtual int pauseMs() const { return 0; }

    virtual void close() = 0;
};

} // namespace kivo
