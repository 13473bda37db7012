#include "sim/SimLink.h"

#include <algorithm>
#include <utility>

namespace kivo::sim {

SimLink::SimLink(QuadrixOptions options) : device_(std::move(options)) {}

long SimLink::write(std::string_view bytes)
{
    if (!open_)
        return -1;
    input_ += bytes;
    return static_cast<long>(bytes.size());
}

long SimLink::read(std::span<char> buffer)
{
    if (!open_)
        return -1;
    if (!input_.empty()) {
        device_.receive(std::exchange(input_, std::string()));
        output_ += device_.takeOutput();
    }
    const std::size_t count = std::min(buffer.size(), output_.size());
    std::copy_n(output_.begin(), count, buffer.begin());
    output_.erase(0, count);
    return static_cast<long>(count);
}

std::string SimLink::errorText() const
{
    return open_ ? std::string() : "the simulated Quadrix was closed";
}

std::size_t SimLink::purgeReceive()
{
    const std::size_t dropped = output_.size();
    output_.clear();
    return dropped;
}

void SimLink::close()
{
    open_ = false;
    input_.clear();
    output_.clear();
}

} // namespace kivo::sim
