#include "core/app/TrafficTrace.h"

#include "core/app/Text.h"

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
    std::fprintf(file_.get(), "%.3f %c %s\n", elapsed.count(),
                 direction == Direction::toDevice ? '>' : '<', escapeBytes(bytes).c_str());
    std::fflush(file_.get());
}

} // namespace kivo
