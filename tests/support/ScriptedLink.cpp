#include "tests/support/ScriptedLink.h"

#include <algorithm>
#include <utility>

namespace kivo::test {

void ScriptedLink::queueSilence(int reads)
{
    for (int i = 0; i < reads; ++i)
        queue({});
}

std::size_t ScriptedLink::purgeReceive()
{
    ++purges;
    return std::exchange(arrivedUnread, {}).size();
}

long ScriptedLink::write(std::string_view bytes)
{
    if (writesLeft_ == 0) {
        error_ = "scripted write failure";
        return -1;
    }
    if (writesLeft_ > 0)
        --writesLeft_;
    writes.emplace_back(bytes);
    if (atNextWrite)
        std::exchange(atNextWrite, nullptr)();
    if (!answer_.empty())
        queue(answer_);
    return static_cast<long>(bytes.size());
}

long ScriptedLink::read(std::span<char> buffer)
{
    ++reads;
    if (atNextRead)
        std::exchange(atNextRead, nullptr)();
    if (chunks_.empty())
        return 0;
    Chunk& next = chunks_.front();
    if (next.fails) {
        chunks_.pop_front();
        error_ = "scripted read failure";
        return -1;
    }
    // A chunk longer than the buffer is handed out over several reads, as a port would.
    const std::size_t n = std::min(buffer.size(), next.bytes.size());
    std::copy_n(next.bytes.begin(), n, buffer.begin());
    next.bytes.erase(0, n);
    if (next.bytes.empty())
        chunks_.pop_front();
    return static_cast<long>(n);
}

} // namespace kivo::test
