#include "sim/CommandLog.h"

#include "sim/TextFormat.h"

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
    std::string line = formatText("%ld ", milliseconds);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (byte < 0x20 || byte > 0x7E)
            line += formatText("\\x%02X", byte);
        else
            line += c;
    }
    return line;
}

} // namespace kivo::sim
