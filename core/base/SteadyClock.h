#pragma once

#include "core/base/Clock.h"

namespace kivo {

// Real time from the monotonic clock.
class SteadyClock final : public Clock {
public:
    std::int64_t nowMs() const override;
    void sleepMs(int ms) override;
};

} // namespace kivo
