#include "sim/CommandLog.h"

#include "sim/TextFormat.h"

#include "core/base/Text.h"

#include <cerrno>
#include <cstring>

namespace kivo::sim {

std::unique_ptr<CommandLog> CommandLog::open(const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        error = "cannot create " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<CommandLog>(new CommandLog(file));
}

CommandLog::CommandLog(std::FILE* file) : file_(file), start_(std::chrono::steady_clock::now()) {}

void CommandLog::record(std::string_view bytes)
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start_);
    const std::string line = entry(static_cast<long>(elapsed.count()), bytes) + "\n";
    std::fwrite(line.data(), 1, line.size(), file_.get());
    std::fflush(file_.get());
}

std::string CommandLog::entry(long milliseconds, std::string_view bytes)
{
    return formatText("%ld ", milliseconds) + escapeBytes(bytes);
}

} // namespace kivo::sim
