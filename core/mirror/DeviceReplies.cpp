#include "core/mirror/DeviceReplies.h"

#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/link/SerialSettings.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/protocol/Reply.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <string>

namespace kivo {
namespace {

// The "host" reply puts a label of this length in front of the timing numbers.
constexpr std::size_t hostLabelWidth = 23;
constexpr int timingColumnsWithoutSync = 12;

bool readable(std::string_view reply) { return !reply.empty() && !isRefusal(reply); }

// Timings a device can have: no number below zero, sizes and porches within 65535 pixels,
// the line rate within 1 MHz. Anything else is garbage, and arithmetic on it could overflow.
bool plausibleTiming(const TimingRecord& t)
{
    const auto within = [](int value, int most) { return value >= 0 && value <= most; };
    constexpr int maxPixels = 65535;
    for (const int pixels :
         {t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS, t.VBP, t.VACT, t.SYNC, t.HPOL, t.VPOL, t.IL})
        if (!within(pixels, maxPixels))
            return false;
    return within(t.HFREQ, 1'000'000);
}

} // namespace

std::optional<HostStatus> parseHostReply(std::string_view reply)
{
    if (!readable(reply))
        return std::nullopt;
    const std::string lower = toLower(reply);
    HostStatus status;
    status.freeRun = contains(lower, "free");
    status.locked = !contains(lower, "acquire");
    // Without the header line the reply holds no timing.
    const auto header = reply.find(loadString(StringId::hostHeaderKey));
    if (header == std::string_view::npos)
        return status;
    const auto lineFeed = reply.find('\n', header);
    const std::size_t start =
        lineFeed == std::string_view::npos ? reply.size() : lineFeed + hostLabelWidth;
    NumberCursor numbers(reply, start);
    TimingRecord timing;
    readTimingNumbers(numbers, timing);
    // Every column but the optional SYNC is there: a missing one would read as its default.
    if (countNumbers(reply, start) >= timingColumnsWithoutSync && plausibleTiming(timing))
        status.timing = timing;
    return status;
}

std::optional<int> parseBaudReply(std::string_view reply)
{
    if (!readable(reply))
        return std::nullopt;
    // A rate no serial line of the device runs at is no answer.
    const int baud = NumberCursor(reply, 0).take();
    if (baud < static_cast<int>(SerialSettings::slowestBaud) ||
        baud > static_cast<int>(SerialSettings::fastestBaud))
        return std::nullopt;
    return baud;
}

std::optional<EchoState> parseEchoReply(std::string_view reply)
{
    if (!readable(reply))
        return std::nullopt;
    const std::string lower = toLower(reply);
    return EchoState{contains(lower, "on"), contains(lower, "off")};
}

bool answersInWords(std::string_view reply)
{
    if (reply.empty())
        return false;
    const std::string_view prompt = loadString(StringId::prompt);
    // A stray byte as the port opens does not hide the prompt that ends the device's answer.
    for (auto at = reply.find(prompt); at != std::string_view::npos;
         at = reply.find(prompt, at + 1))
        if (at == 0 || reply[at - 1] == '\n')
            return true;
    return std::all_of(reply.begin(), reply.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= 0x20 && byte < 0x7F) || c == '\r' || c == '\n' || c == '\t';
    });
}

} // namespace kivo
