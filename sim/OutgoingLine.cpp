#include "sim/OutgoingLine.h"

#include <algorithm>

namespace kivo::sim {
namespace {

using Seconds = std::chrono::duration<double>;

double bytesPerSecond(int baud) { return std::max(1, baud / 10); }

} // namespace

std::size_t OutgoingLine::room(Clock::time_point now, int baud) const
{
    const double fits =
        Seconds(now + slice - std::max(freeAt_, now)).count() * bytesPerSecond(baud);
    return static_cast<std::size_t>(std::max(1.0, fits));
}

void OutgoingLine::sent(std::size_t bytes, Clock::time_point now, int baud)
{
    freeAt_ = std::max(freeAt_, now) + std::chrono::duration_cast<Clock::duration>(Seconds(
                                           static_cast<double>(bytes) / bytesPerSecond(baud)));
}

} // namespace kivo::sim
