#include "sim/PacedDevice.h"

#include <algorithm>
#include <utility>

namespace kivo::sim {

namespace {

// A byte on the line is ten bits: start, eight data bits, stop.
PacedDevice::Clock::duration byteTime(int baud)
{
    return std::chrono::nanoseconds(10'000'000'000LL / std::max(1, baud));
}

} // namespace

PacedDevice::PacedDevice(QuadrixDevice& device, Timing timing) : device_(device), timing_(timing) {}

void PacedDevice::receive(std::string_view bytes, Clock::time_point at)
{
    if (bytes.empty())
        return;
    line_.push_back({at, std::string(bytes)});
    inputBytes_ += bytes.size();
}

bool PacedDevice::paced() const
{
    return timing_.lineRate ||
           (timing_.unpacedBaud != 0 && device_.state().baud != timing_.unpacedBaud);
}

PacedDevice::Clock::time_point PacedDevice::nextArrival() const
{
    const Clock::time_point received = line_.front().received;
    if (!paced() || !lastArrival_)
        return received;
    // The rate is read byte by byte, so after "baud r" the line runs at r at once.
    return std::max(received, *lastArrival_ + byteTime(device_.state().baud));
}

std::string PacedDevice::advance(Clock::time_point now)
{
    // One byte at a time, so each command's answer is timed from its own last byte.
    while (!line_.empty()) {
        const Clock::time_point arrival = nextArrival();
        if (arrival > now)
            break;
        const char byte = line_.front().bytes[taken_];
        --inputBytes_;
        if (++taken_ == line_.front().bytes.size()) {
            line_.pop_front();
            taken_ = 0;
        }
        lastArrival_ = arrival;
        device_.receive(std::string_view(&byte, 1));
        queueAnswer(arrival + timing_.latency, device_.takeOutput());
    }
    // What the device prints without being asked goes out when it is printed.
    queueAnswer(now, device_.takeOutput());
    if (const std::optional<std::int64_t> ms = device_.msUntilOwnOutput())
        ownOutputDue_ = now + std::chrono::milliseconds(*ms);
    else
        ownOutputDue_.reset();
    std::string ready;
    while (!answers_.empty() && answers_.front().due <= now) {
        ready += answers_.front().bytes;
        answerBytes_ -= answers_.front().bytes.size();
        answers_.pop_front();
    }
    return ready;
}

void PacedDevice::queueAnswer(Clock::time_point due, std::string printed)
{
    if (printed.empty())
        return;
    answerBytes_ += printed.size();
    if (!answers_.empty() && answers_.back().due == due)
        answers_.back().bytes += printed;
    else
        answers_.push_back({due, std::move(printed)});
}

std::optional<PacedDevice::Clock::time_point> PacedDevice::nextDue() const
{
    std::optional<Clock::time_point> due = ownOutputDue_;
    if (!line_.empty() && (!due || nextArrival() < *due))
        due = nextArrival();
    if (!answers_.empty() && (!due || answers_.front().due < *due))
        due = answers_.front().due;
    return due;
}

void PacedDevice::flush()
{
    if (!line_.empty())
        line_.front().bytes.erase(0, taken_);
    for (const Chunk& chunk : line_)
        device_.receive(chunk.bytes);
    device_.takeOutput();
    reset();
}

void PacedDevice::reset()
{
    line_.clear();
    taken_ = 0;
    lastArrival_.reset();
    answers_.clear();
    ownOutputDue_.reset();
    answerBytes_ = 0;
    inputBytes_ = 0;
    device_.dropPartialLine();
}

} // namespace kivo::sim
