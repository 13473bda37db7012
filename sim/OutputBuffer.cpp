#include "sim/OutputBuffer.h"

#include <algorithm>

namespace kivo::sim {

void OutputBuffer::append(std::string_view bytes) { bytes_ += bytes; }

void OutputBuffer::consume(std::size_t count)
{
    start_ += std::min(count, size());
    if (start_ == bytes_.size()) {
        bytes_.clear();
        start_ = 0;
        return;
    }
    // Each move at least halves what is left to the bytes moved, so no byte is moved more
    // than once on average.
    if (start_ >= bytes_.size() - start_) {
        moved_ += bytes_.size() - start_;
        bytes_.erase(0, start_);
        start_ = 0;
    }
}

void OutputBuffer::clear()
{
    // Gives the memory back too: a dropped client may have left a large backlog.
    bytes_ = std::string();
    start_ = 0;
}

} // namespace kivo::sim
