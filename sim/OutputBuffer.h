#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo::sim {

// Bytes waiting to be written to a client, appended at the back and written from the front
// in pieces as small as the line allows. Written bytes are skipped with an offset and the
// rest is moved to the front only once the written part is at least as long as the rest,
// so draining costs time in proportion to the bytes, not to the bytes times the writes.
class OutputBuffer {
public:
    void append(std::string_view bytes);
    // The bytes not written yet.
    std::string_view pending() const { return std::string_view(bytes_).substr(start_); }
    std::size_t size() const { return bytes_.size() - start_; }
    bool empty() const { return size() == 0; }
    // The first `count` pending bytes have been written.
    void consume(std::size_t count);
    // Drops every pending byte and frees the memory.
    void clear();
    // Bytes moved to the front so far: the cost of the draining.
    std::size_t moved() const { return moved_; }

private:
    std::string bytes_;
    // Bytes at the front of bytes_ already written.
    std::size_t start_ = 0;
    std::size_t moved_ = 0;
};

} // namespace kivo::sim
