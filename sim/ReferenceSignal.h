#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace kivo::sim {

// The reference signal autosync looks for: found a fixed time after "host auto", or never.
struct ReferenceSignal {
    using Clock = std::function<std::int64_t()>;

    static std::int64_t steadyMs()
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    // Milliseconds from "host auto" to the lock; negative never locks.
    int lockAfterMs = 3000;
    Clock nowMs = steadyMs;
};

} // namespace kivo::sim
