#pragma once

#include "sim/QuadrixDevice.h"

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::sim {

// A QuadrixDevice on a timeline, without I/O: received bytes reach the device no faster
// than a serial line at its baud rate would carry them, and what it prints for a command
// leaves only after its thinking time. The caller brings the clock, so the timing can be
// checked without waiting.
class PacedDevice {
public:
    using Clock = std::chrono::steady_clock;

    struct Timing {
        // Bytes reach the device at most baud / 10 a second; otherwise as soon as received.
        bool lineRate = false;
        // How long after a command (its line feed, or a key) its answer starts.
        std::chrono::milliseconds latency{0};
        // Without lineRate: once "baud r" has moved the device off this rate, the line is
        // held to r all the same, as a real line would be; 0 never.
        int unpacedBaud = 0;
    };

    PacedDevice(QuadrixDevice& device, Timing timing);

    void receive(std::string_view bytes, Clock::time_point at);
    // Hands the device every byte that has arrived by now and returns the answers due by
    // now, in order.
    std::string advance(Clock::time_point now);
    // When advance() next has work; nothing while no byte, no answer and nothing the device
    // prints on its own waits.
    std::optional<Clock::time_point> nextDue() const;
    // Whether the line is held to the device's rate now.
    bool paced() const;
    // From now on a rate other than baud, told by "baud r", holds the line to r.
    void paceOnceRateMovesFrom(int baud) { timing_.unpacedBaud = baud; }
    // Bytes of answers printed but not yet due.
    std::size_t waitingAnswerBytes() const { return answerBytes_; }
    // Bytes received that have not reached the device yet.
    std::size_t waitingInputBytes() const { return inputBytes_; }
    // The line dropped: every byte received goes to the device at once, and the answers
    // are dropped with the listener.
    void flush();
    // Forgets every byte and answer waiting, for a new client, and the device's partial
    // line with them.
    void reset();

private:
    struct Chunk {
        Clock::time_point received;
        std::string bytes;
    };
    struct Answer {
        Clock::time_point due;
        std::string bytes;
    };

    // When the next byte is on the device's side of the line.
    Clock::time_point nextArrival() const;
    void queueAnswer(Clock::time_point due, std::string printed);

    QuadrixDevice& device_;
    Timing timing_;
    std::deque<Chunk> line_;
    // Bytes of line_.front() already handed to the device.
    std::size_t taken_ = 0;
    // When the last byte handed to the device arrived; the next one follows it by at
    // least one byte time.
    std::optional<Clock::time_point> lastArrival_;
    std::deque<Answer> answers_;
    // When the device prints on its own next, as of the last advance().
    std::optional<Clock::time_point> ownOutputDue_;
    std::size_t answerBytes_ = 0;
    std::size_t inputBytes_ = 0;
};

} // namespace kivo::sim
