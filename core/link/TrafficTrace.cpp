#include "core/link/TrafficTrace.h"

#include "core/base/CNumbers.h"
#include "core/base/Text.h"

#include <cerrno>
#include <cstring>

namespace kivo {

bool TrafficTrace::start(const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        error = "cannot write the traffic trace " + path + ": " + std::strerror(errno);
        return false;
    }
    file_.reset(file);
    path_ = path;
    failure_.clear();
    return true;
}

void TrafficTrace::stop()
{
    file_.reset();
    path_.clear();
}

void TrafficTrace::record(Direction direction, std::string_view bytes)
{
    if (!file_ || bytes.empty())
        return;
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - origin_;
    const std::string line = formatFixed(elapsed.count(), 3) +
                             (direction == Direction::toDevice ? " > " : " < ") +
                             escapeBytes(bytes) + "\n";
    if (std::fputs(line.c_str(), file_.get()) < 0 || std::fflush(file_.get()) != 0)
        fail();
}

void TrafficTrace::fail()
{
    failure_ = "cannot write the traffic trace " + path_ + ": " + std::strerror(errno) +
               "; the trace stops here";
    stop();
    if (failureHandler_)
        failureHandler_(failure_);
}

} // namespace kivo
