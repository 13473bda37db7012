#pragma once

#include <cstdint>
#include <string>

namespace kivo {

class Profile;

// The local port's parameters; parity and stop bits use the Windows control-block codes
// (parity 0 none, 1 odd, 2 even; stop bits 0 one, 1 one and a half, 2 two).
struct SerialSettings {
    // The rates a serial line of the Quadrix runs at.
    static constexpr std::uint32_t slowestBaud = 1200;
    static constexpr std::uint32_t fastestBaud = 115200;

    std::uint32_t baudRate = 9600;
    std::uint8_t parity = 0;
    std::uint8_t byteSize = 8;
    std::uint8_t stopBits = 0;
};

// Reads the "SERIALPORT" keys; a value out of range or unreadable falls back to its default.
SerialSettings readSerialSettings(const Profile& profile);
void writeSerialSettings(Profile& profile, const SerialSettings& settings);

// The port name kept under "SERIALPORT"/"port"; empty when none was saved.
std::string readPortName(const Profile& profile);

} // namespace kivo
