#pragma once

#include "sim/QuadrixDevice.h"

#include <chrono>
#include <string>

namespace kivo::sim {

// Serves a QuadrixDevice on a file descriptor (a pseudo-terminal master or a TCP client)
// with poll(): input is handed to the device after a fixed turnaround, and output can be
// held to the device's baud rate.
class DeviceServer {
public:
    // Like a real device, the answer starts a few milliseconds after the command, so a
    // client that purges its receive queue right after writing never loses the answer.
    static constexpr std::chrono::milliseconds turnaround{20};

    enum class End { stopped, hangup, failed };

    // throttle: send at most the device's baud / 10 bytes a second.
    DeviceServer(QuadrixDevice& device, bool throttle);

    // Serves fd until stopFd becomes readable (stopped), the peer goes away (hangup) or
    // poll fails.
    End serve(int fd, int stopFd);

private:
    using Clock = std::chrono::steady_clock;

    void runDueInput(Clock::time_point now);
    bool readInput(int fd, Clock::time_point now);
    bool writeOutput(int fd, Clock::time_point now);
    int pollTimeout(Clock::time_point now) const;

    QuadrixDevice& device_;
    bool throttle_;
    std::string input_;
    std::string output_;
    bool inputWaiting_ = false;
    Clock::time_point inputDue_;
    Clock::time_point nextSend_;
};

} // namespace kivo::sim
