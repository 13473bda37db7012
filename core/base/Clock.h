#pragma once

#include <cstdint>

namespace kivo {

// Time as the panel sees it; every pause goes through here so tests never wait.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
    virtual void sleepMs(int ms) = 0;
};

} // namespace kivo
