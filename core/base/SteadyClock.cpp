#include "core/base/SteadyClock.h"

#include <chrono>
#include <thread>

namespace kivo {

std::int64_t SteadyClock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace kivo
