#pragma once

#include <array>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace kivo::sim::test {

// Reads until the text ends with the prompt; gives up after a quiet second so a broken
// device fails the test instead of hanging it.
inline std::string readAnswer(int fd)
{
    std::string text;
    std::array<char, 256> buffer{};
    pollfd p{fd, POLLIN, 0};
    while (!text.ends_with("> ") && poll(&p, 1, 1000) > 0) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n <= 0)
            break;
        text.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return text;
}

} // namespace kivo::sim::test
