#include "core/link/TracingLink.h"

namespace kivo {

long TracingLink::write(std::string_view bytes)
{
    const long written = inner_->write(bytes);
    if (written > 0)
        trace_.record(TrafficTrace::Direction::toDevice,
                      bytes.substr(0, static_cast<std::size_t>(written)));
    return written;
}

long TracingLink::read(std::span<char> buffer)
{
    const long got = inner_->read(buffer);
    if (got > 0)
        trace_.record(TrafficTrace::Direction::fromDevice,
                      {buffer.data(), static_cast<std::size_t>(got)});
    return got;
}

} // namespace kivo
