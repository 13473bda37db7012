#include "core/link/RawLinkLog.h"

namespace kivo {

RawLinkLog::~RawLinkLog() { close(); }

bool RawLinkLog::open(const std::string& path)
{
    close();
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void RawLinkLog::appendRead(std::string_view bytes)
{
    if (!file_)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::fputs("@@", file_);
    // What was read is on disk before the panel acts on it, so a crash keeps the evidence.
    std::fflush(file_);
}

void RawLinkLog::close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

} // namespace kivo
