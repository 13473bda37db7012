#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kivo {

// A record of every byte between the panel and the device, a line per chunk as it passes:
// milliseconds since the port was opened, ">" to the device or "<" from it, and the bytes
// with line ends and other control bytes escaped. Each line is on disk before the next chunk
// moves, so a crash loses at most the last one.
class TrafficTrace {
public:
    enum class Direction { toDevice, fromDevice };

    // Starts writing to `path` (created, or emptied); on failure `error` says why and the
    // trace stays off.
    bool start(const std::string& path, std::string& error);
    void stop();
    bool isOn() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }

    // Times are counted from here.
    void portOpened() { origin_ = std::chrono::steady_clock::now(); }
    void record(Direction direction, std::string_view bytes);

    // A line that cannot be written (a full disk) ends the trace: `handler` is told why, once,
    // in one line, and the failure stays readable until the next start.
    using FailureHandler = std::function<void(const std::string& why)>;
    void setFailureHandler(FailureHandler handler) { failureHandler_ = std::move(handler); }
    const std::string& failure() const { return failure_; }

private:
    void fail();

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string path_;
    std::string failure_;
    FailureHandler failureHandler_;
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

} // namespace kivo
