#pragma once

#include "core/timing/TimingRecord.h"

#include <optional>
#include <string_view>

namespace kivo {

// The device's replies about itself, read into values: its output status and timing, its
// baud rate and its echo. A reply that is empty or says "Error" gives nothing.

// "host": whether the output runs free, whether it is locked, and the timing numbers when the
// reply has its "VPOL IL" header line and they are numbers a device can have.
struct HostStatus {
    bool freeRun = true;
    bool locked = true;
    std::optional<TimingRecord> timing; // only the numbers are read
};
std::optional<HostStatus> parseHostReply(std::string_view reply);

// "baud": the device's rate, when the reply names one a serial line runs at (1200..115200).
std::optional<int> parseBaudReply(std::string_view reply);

// "echo": what the reply says of the echo.
struct EchoState {
    bool saysOn = false;
    bool saysOff = false;
};
std::optional<EchoState> parseEchoReply(std::string_view reply);

// Whether a reply is the device's words rather than line noise, as a line at another rate
// than the device's brings: it holds the device's prompt at the start of a line, or it is
// nothing but printable ASCII, tabs and line ends. An empty reply says nothing.
bool answersInWords(std::string_view reply);

} // namespace kivo
