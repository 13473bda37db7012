#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo {

class CommandChannel;
struct DeviceMirror;

// The lines that switch or restack every window at once, and the single-window switch. Below
// firmware 3.0 the device calls its windows "channel" instead of "win". A group line lists
// 2, 4, 6, 8 or 10 windows; for any other count there is no line and nothing is sent.

// "win" or "channel", by the firmware revision.
std::string_view windowWord(double firmwareRevision);

// "win all" and the same word for each of the first `count` windows.
std::optional<std::string> allStateLine(const DeviceMirror& mirror, unsigned count,
                                        std::string_view word);
// "win all" and "on" or "off" for each of the first `count` windows, by its priority.
std::optional<std::string> allOnOffLine(const DeviceMirror& mirror, unsigned count);
// "priority all": the front window first, down the stack, then the windows that are off in
// window order, filled out to the length of the device's own list. Expects the priorities
// renumbered (no gaps).
std::optional<std::string> priorityAllLine(const DeviceMirror& mirror, unsigned count);
// "win N on" or "win N off".
std::string switchLine(const DeviceMirror& mirror, int window, bool on);

// Sends the group lines through the command channel's plain send; no reply is read.
class GroupCommands {
public:
    GroupCommands(CommandChannel& channel, DeviceMirror& mirror);

    void sendAllState(unsigned count, std::string_view word);
    void sendAllOnOff(unsigned count);
    // Renumbers the priorities first; returns the front window's number (0 if none).
    int sendPriorityAll(unsigned count);
    void sendSwitch(int window, bool on);

private:
    void send(const std::optional<std::string>& line);

    CommandChannel& channel_;
    DeviceMirror& mirror_;
};

} // namespace kivo
