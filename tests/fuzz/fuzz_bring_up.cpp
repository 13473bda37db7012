#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzPanel.h"

#include "core/link/Link.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

namespace {

// Between two reads in an input; the device's bytes are ASCII, so it never splits a reply.
constexpr char readSeparator = '\xff';
// A chunk of this byte alone is a read that fails.
constexpr char failedRead = '\xfe';

// The device as the fuzzer plays it: each chunk of the input is what one read returns (an
// empty chunk is a read that finds nothing), and past the last chunk the line is silent.
class ScriptLink final : public kivo::Link {
public:
    explicit ScriptLink(std::string_view script)
    {
        for (std::size_t at = 0;;) {
            const std::size_t end = script.find(readSeparator, at);
            chunks_.emplace_back(script.substr(at, end - at));
            if (end == std::string_view::npos)
                break;
            at = end + 1;
        }
    }
    long write(std::string_view bytes) override { return static_cast<long>(bytes.size()); }
    long read(std::span<char> buffer) override
    {
        if (chunks_.empty())
            return 0;
        std::string& chunk = chunks_.front();
        if (chunk.size() == 1 && chunk[0] == failedRead) {
            chunks_.pop_front();
            return -1;
        }
        // A chunk longer than the read asks for is what the next reads return.
        const std::size_t taken = std::min(chunk.size(), buffer.size());
        std::memcpy(buffer.data(), chunk.data(), taken);
        chunk.erase(0, taken);
        if (chunk.empty())
            chunks_.pop_front();
        return static_cast<long>(taken);
    }
    int readTimeoutMs() const override { return 10; }
    std::string errorText() const override { return "read failed"; }
    std::size_t purgeReceive() override { return 0; }
    void close() override {}

private:
    std::deque<std::string> chunks_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kivo::fuzz::FuzzPanel panel;
    kivo::PanelSession& session = panel.session();
    session.app().serialHandle =
        std::make_unique<ScriptLink>(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        session.bringUp().reset(true);
    } catch (const kivo::fuzz::ProcessEnded&) {
    }
    return 0;
}
