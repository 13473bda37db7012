#include "app/StreamLink.h"

namespace kivo {

long StreamLink::read(std::span<char> buffer)
{
    long total = readAvailable(buffer, timeouts_.firstByteMs);
    if (total <= 0)
        return total;
    // A line at 9600 baud delivers a byte a millisecond: gather the run into one chunk.
    while (static_cast<std::size_t>(total) < buffer.size()) {
        const long more = readAvailable(buffer.subspan(static_cast<std::size_t>(total)),
                                        timeouts_.interByteMs);
        if (more <= 0)
            break;
        total += more;
    }
    return total;
}

} // namespace kivo
