#include "core/link/StreamLink.h"

#include <algorithm>
#include <cmath>

namespace kivo {

ReadTimeouts ReadTimeouts::forLine(std::uint32_t baud, int floorMs)
{
    const double characterMs = 10'000.0 / std::max<std::uint32_t>(baud, 1);
    return {std::max(floorMs, static_cast<int>(std::ceil(4 * characterMs))),
            std::max(1, static_cast<int>(std::ceil(2 * characterMs)))};
}

long StreamLink::read(std::span<char> buffer)
{
    long total = readAvailable(buffer, timeouts_.firstByteMs);
    if (total <= 0)
        return total;
    // A line at 9600 baud delivers a byte a millisecond: gather the run into one chunk.
    while (static_cast<std::size_t>(total) < buffer.size()) {
        const long more =
            readAvailable(buffer.subspan(static_cast<std::size_t>(total)), timeouts_.interByteMs);
        if (more <= 0)
            break;
        total += more;
    }
    return total;
}

} // namespace kivo
