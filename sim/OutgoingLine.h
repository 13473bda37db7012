#pragma once

#include <chrono>
#include <cstddef>

namespace kivo::sim {

// The sending side of the device's serial line: how much may be written now so that the
// bytes leave no faster than baud / 10 a second, kept at most one slice ahead of the line.
// The line runs on a schedule of its own, so a late wake-up sends more and the rate stays
// exact whatever the wake-ups are rounded to.
class OutgoingLine {
public:
    using Clock = std::chrono::steady_clock;
    // Short enough that the gaps in the stream stay far below a reader's time-out, long enough
    // that poll wakes a few hundred times a second rather than once a byte.
    static constexpr Clock::duration slice = std::chrono::milliseconds(2);

    // Bytes that may be written at `now`; at least one.
    std::size_t room(Clock::time_point now, int baud) const;
    void sent(std::size_t bytes, Clock::time_point now, int baud);
    // When the next bytes may go.
    Clock::time_point nextSend() const { return freeAt_ - slice; }
    void reset() { freeAt_ = Clock::time_point(); }

private:
    // When the line will have sent everything written to it so far.
    Clock::time_point freeAt_;
};

} // namespace kivo::sim
