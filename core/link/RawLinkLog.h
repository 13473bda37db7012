#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kivo {

// "Kivolog.txt": every read during start-up, each followed by "@@". Nothing sent is logged.
class RawLinkLog {
public:
    RawLinkLog() = default;
    ~RawLinkLog();
    RawLinkLog(const RawLinkLog&) = delete;
    RawLinkLog& operator=(const RawLinkLog&) = delete;

    static constexpr const char* fileName = "Kivolog.txt";

    // Creates or truncates the file; returns whether it is open.
    bool open(const std::string& path = fileName);
    void appendRead(std::string_view bytes);
    void close();
    bool isOpen() const { return file_ != nullptr; }

private:
    std::FILE* file_ = nullptr;
};

} // namespace kivo
