#include "core/screen/GroupCommands.h"

#include "core/base/Strings.h"
#include "core/mirror/DeviceMirror.h"
#include "core/mirror/Stacking.h"
#include "core/protocol/CommandChannel.h"

#include <array>
#include <numeric>

namespace kivo {
namespace {

constexpr double firstWinFirmware = 3.0;

bool hasGroupLine(unsigned count)
{
    return count >= 2 && count <= DeviceMirror::maxWindows && count % 2 == 0;
}

std::string groupLine(const DeviceMirror& mirror, unsigned count, auto wordOf)
{
    std::string line = std::string(windowWord(mirror.firmwareRevision)) + " all";
    for (int number = 1; number <= static_cast<int>(count); ++number)
        line += " " + std::string(wordOf(number));
    return line;
}

} // namespace

std::string_view windowWord(double firmwareRevision)
{
    return firmwareRevision >= firstWinFirmware ? "win" : "channel";
}

std::optional<std::string> allStateLine(const DeviceMirror& mirror, unsigned count,
                                        std::string_view word)
{
    if (!hasGroupLine(count))
        return std::nullopt;
    return groupLine(mirror, count, [&](int) { return word; });
}

std::optional<std::string> allOnOffLine(const DeviceMirror& mirror, unsigned count)
{
    if (!hasGroupLine(count))
        return std::nullopt;
    return groupLine(mirror, count, [&](int number) {
        return loadString(mirror.window(number).priority > 0 ? StringId::onWord
                                                             : StringId::offWord);
    });
}

std::optional<std::string> priorityAllLine(const DeviceMirror& mirror, unsigned count)
{
    const unsigned length = mirror.priorityListLength;
    if (!hasGroupLine(count) || !hasGroupLine(length))
        return std::nullopt;
    std::array<int, DeviceMirror::maxWindows> order{};
    std::iota(order.begin(), order.end(), 1);
    const int windows = static_cast<int>(count);
    const auto windowAt = [&](int place) {
        for (int number = 1; number <= windows; ++number)
            if (mirror.window(number).priority == place)
                return number;
        return 0;
    };
    int slot = 0;
    for (int place = 1; place <= windows; ++place) {
        const int number = windowAt(place);
        if (number == 0)
            break;
        order[static_cast<std::size_t>(slot++)] = number;
    }
    for (int number = 1; number <= windows && slot < windows; ++number)
        if (mirror.window(number).priority == 0)
            order[static_cast<std::size_t>(slot++)] = number;
    std::string line(loadString(StringId::priorityAllQuery));
    for (unsigned i = 0; i < length; ++i)
        line += " " + std::to_string(order[i]);
    return line;
}

std::string switchLine(const DeviceMirror& mirror, int window, bool on)
{
    return std::string(windowWord(mirror.firmwareRevision)) + " " + std::to_string(window) + " " +
           std::string(loadString(on ? StringId::onWord : StringId::offWord));
}

GroupCommands::GroupCommands(CommandChannel& channel, DeviceMirror& mirror)
    : channel_(channel), mirror_(mirror)
{
}

void GroupCommands::sendAllState(unsigned count, std::string_view word)
{
    send(allStateLine(mirror_, count, word));
}

void GroupCommands::sendAllOnOff(unsigned count) { send(allOnOffLine(mirror_, count)); }

int GroupCommands::sendPriorityAll(unsigned count)
{
    const int front = renumberPriorities(mirror_);
    send(priorityAllLine(mirror_, count));
    return front;
}

void GroupCommands::sendSwitch(int window, bool on)
{
    channel_.sendCommand(switchLine(mirror_, window, on));
}

void GroupCommands::send(const std::optional<std::string>& line)
{
    if (line)
        channel_.sendCommand(*line);
}

} // namespace kivo
