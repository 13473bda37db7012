#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kivo::sim {

// The --log file of quadrix-sim: one line per command received, written and flushed at
// once, "<ms since start> <bytes>" with control and non-ASCII bytes escaped.
class CommandLog {
public:
    // The log, or nullptr with error set when the file cannot be created.
    static std::unique_ptr<CommandLog> open(const std::string& path, std::string& error);

    void record(std::string_view bytes);

    // One log line without its line end: \n, \r and \xHH for bytes outside 0x20..0x7E.
    static std::string entry(long milliseconds, std::string_view bytes);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    explicit CommandLog(std::FILE* file);

    std::unique_ptr<std::FILE, FileCloser> file_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace kivo::sim
