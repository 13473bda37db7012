#include "sim/DeviceServer.h"

#include "sim/LineNoise.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace kivo::sim {

namespace {

constexpr std::size_t readChunk = 4096;
int millisecondsUntil(std::chrono::steady_clock::time_point now,
                      std::chrono::steady_clock::time_point then)
{
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(then - now).count();
    return static_cast<int>(std::max<long long>(0, wait));
}

} // namespace

DeviceServer::DeviceServer(QuadrixDevice& device, bool lineRate, std::chrono::milliseconds latency)
    : device_(device), paced_(device, {lineRate, latency})
{
}

void DeviceServer::watchLineSpeed(LineSpeed clientSpeed)
{
    clientSpeed_ = std::move(clientSpeed);
    paced_.paceOnceRateMovesFrom(device_.state().baud);
}

bool DeviceServer::receivedAsNoise() const { return speedsDifferedBeforeWait_ && speedsDiffer(); }

bool DeviceServer::speedsDiffer() const
{
    if (!clientSpeed_)
        return false;
    const std::optional<int> speed = clientSpeed_();
    return speed && *speed != device_.state().baud;
}

DeviceServer::End DeviceServer::serve(int fd, int stopFd)
{
    // What a previous client left half sent or half answered is not for this one.
    paced_.reset();
    output_.clear();
    line_.reset();
    for (;;) {
        const Clock::time_point now = Clock::now();
        output_.append(paced_.advance(now));
        if (output_.size() + paced_.waitingAnswerBytes() > maxBacklog) {
            // Holding more for a client that does not read would only grow without end.
            paced_.reset();
            output_.clear();
            return End::overrun;
        }
        if (device_.gone() && output_.empty() && paced_.waitingAnswerBytes() == 0)
            return End::gone;
        const bool sendNow = !output_.empty() && (!paced_.paced() || now >= line_.nextSend());
        const bool readNow = paced_.waitingInputBytes() < maxInputBacklog;
        std::array<pollfd, 2> fds{
            {{fd, static_cast<short>((readNow ? POLLIN : 0) | (sendNow ? POLLOUT : 0)), 0},
             {stopFd, POLLIN, 0}}};
        speedsDifferedBeforeWait_ = speedsDiffer();
        if (poll(fds.data(), fds.size(), pollTimeout(now)) < 0) {
            if (errno == EINTR)
                continue;
            return End::failed;
        }
        if (fds[1].revents != 0)
            return End::stopped;
        const Clock::time_point woke = Clock::now();
        const bool hungUp =
            ((fds[0].revents & POLLIN) != 0 && !readInput(fd, woke)) ||
            ((fds[0].revents & (POLLHUP | POLLERR)) != 0 && (fds[0].revents & POLLIN) == 0) ||
            ((fds[0].revents & POLLOUT) != 0 && !writeOutput(fd, woke));
        if (hungUp) {
            // A command that arrived before the line dropped is still carried out.
            paced_.flush();
            return End::hangup;
        }
    }
}

bool DeviceServer::readInput(int fd, Clock::time_point now)
{
    std::array<char, readChunk> buffer{};
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count < 0)
        return errno == EAGAIN || errno == EINTR;
    if (count == 0)
        return false;
    const std::string_view received(buffer.data(), static_cast<std::size_t>(count));
    paced_.receive(receivedAsNoise() ? garbledCommands(received) : std::string(received), now);
    return true;
}

bool DeviceServer::writeOutput(int fd, Clock::time_point now)
{
    const int baud = device_.state().baud;
    const bool throttle = paced_.paced();
    const std::size_t size =
        throttle ? std::min(output_.size(), line_.room(now, baud)) : output_.size();
    const std::string_view pending = output_.pending().substr(0, size);
    const std::string bytes = speedsDiffer() ? garbled(pending) : std::string(pending);
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0)
        return errno == EAGAIN || errno == EINTR;
    output_.consume(static_cast<std::size_t>(written));
    if (throttle)
        line_.sent(static_cast<std::size_t>(written), now, baud);
    return true;
}

int DeviceServer::pollTimeout(Clock::time_point now) const
{
    int timeout = -1;
    if (const std::optional<Clock::time_point> due = paced_.nextDue())
        timeout = millisecondsUntil(now, *due);
    if (!output_.empty() && paced_.paced() && now < line_.nextSend()) {
        const int wait = millisecondsUntil(now, line_.nextSend());
        timeout = timeout < 0 ? wait : std::min(timeout, wait);
    }
    return timeout;
}

} // namespace kivo::sim
