#pragma once

#include "sim/OutgoingLine.h"
#include "sim/OutputBuffer.h"
#include "sim/PacedDevice.h"
#include "sim/QuadrixDevice.h"

#include <chrono>
#include <functional>
#include <optional>

namespace kivo::sim {

// Serves a QuadrixDevice on a file descriptor (a pseudo-terminal master or a TCP client)
// with poll(), timed like a device on a serial line: see PacedDevice for input and answers;
// output can be held to the device's baud rate.
class DeviceServer {
public:
    // overrun: the client let more than maxBacklog bytes of answers wait unsent, so it was
    // dropped; the backlog is gone and the device is ready for the next client.
    // gone: the device vanished (quadrix-sim --misbehave vanish) once its last bytes were out.
    enum class End { stopped, hangup, overrun, failed, gone };

    // Far more than any answer (the longest is a few kilobytes), so only a client that does
    // not read, or outpaces the line by far, ever reaches it.
    static constexpr std::size_t maxBacklog = 1024 * 1024;
    // With the line rate, input beyond this waits in the client's own buffers: the server
    // stops reading, as a device would hold its sender off.
    static constexpr std::size_t maxInputBacklog = 64 * 1024;

    // The speed in baud that the client has set its end of the line to; nothing when that
    // cannot be told.
    using LineSpeed = std::function<std::optional<int>()>;

    // lineRate: the line carries at most the device's baud / 10 bytes a second each way.
    // latency: each answer starts this long after its command has arrived.
    DeviceServer(QuadrixDevice& device, bool lineRate,
                 std::chrono::milliseconds latency = std::chrono::milliseconds(0));

    // Serves a line that has a speed, as a serial port does: a client whose speed differs
    // from the device's rate sends line noise and receives garbage, and once "baud r" has
    // moved the device off its first rate the line is held to r.
    void watchLineSpeed(LineSpeed clientSpeed);

    // Serves fd until stopFd becomes readable (stopped), the peer goes away (hangup), the
    // answers waiting for it pass maxBacklog (overrun) or poll fails.
    End serve(int fd, int stopFd);

private:
    using Clock = std::chrono::steady_clock;

    bool readInput(int fd, Clock::time_point now);
    bool writeOutput(int fd, Clock::time_point now);
    int pollTimeout(Clock::time_point now) const;
    // True while the client's end of the line runs at another speed than the device's.
    bool speedsDiffer() const;
    // Whether bytes read now were sent at another speed than the device's. They may have been
    // written before the client changed its speed (a panel that sends "baud r" and at once
    // opens its port again at r): only a speed that differed both before the wait for them
    // and after it makes them noise.
    bool receivedAsNoise() const;

    QuadrixDevice& device_;
    PacedDevice paced_;
    LineSpeed clientSpeed_;
    bool speedsDifferedBeforeWait_ = false;
    OutputBuffer output_;
    OutgoingLine line_;
};

} // namespace kivo::sim
