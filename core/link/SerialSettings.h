#pragma once

#include <array>
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

// The rates of the baud-rate buttons, in button order.
inline constexpr std::array<int, 8> baudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// The button of a rate: with q = rate / 1200, q of 1 to 32 gives the number of times q halves
// before it reaches 1; q of 48 gives 57600's button, 96 gives 115200's; any other rate 9600's.
int baudIndex(int rate);
// Whether `rate` is exactly the rate of one of the buttons.
bool isButtonRate(int rate);

// Reads the "SERIALPORT" keys; a value out of range or unreadable falls back to its default.
SerialSettings readSerialSettings(const Profile& profile);
void writeSerialSettings(Profile& profile, const SerialSettings& settings);

// The port name kept under "SERIALPORT"/"port"; empty when none was saved.
std::string readPortName(const Profile& profile);
// Keeps `port` under "SERIALPORT"/"port"; false when the ini file could not be written.
bool writePortName(Profile& profile, const std::string& port);

} // namespace kivo
