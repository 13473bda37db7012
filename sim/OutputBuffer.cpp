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
    // Moving only once the written part is at least as long as the rest means that every
    // byte moved was paid for by a byte written: draining moves no more than it writes.
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
