#include "core/link/SerialSettings.h"

#include "core/base/Strings.h"
#include "core/settings/Profile.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace kivo {
namespace {

std::string section() { return std::string(loadString(StringId::serialPortSection)); }

// Only the low byte of a stored code counts, as in the control block it lands in.
std::uint8_t lowByte(long value) { return static_cast<std::uint8_t>(value & 0xFF); }

std::uint8_t readCode(const Profile& profile, const char* key)
{
    const std::uint8_t code = lowByte(std::atol(profile.readString(section(), key, "0").c_str()));
    return code <= 2 ? code : 0;
}

} // namespace

SerialSettings readSerialSettings(const Profile& profile)
{
    SerialSettings settings;
    const unsigned long baud =
        std::strtoul(profile.readString(section(), "baudrate", "9600").c_str(), nullptr, 10);
    settings.baudRate = baud >= SerialSettings::slowestBaud && baud <= SerialSettings::fastestBaud
                            ? static_cast<std::uint32_t>(baud)
                            : SerialSettings{}.baudRate;
    settings.parity = readCode(profile, "parity");
    const std::uint8_t byteSize = lowByte(profile.readInt(section(), "bytesize", 8));
    settings.byteSize = byteSize == 7 || byteSize == 8 ? byteSize : 8;
    settings.stopBits = readCode(profile, "stopbits");
    return settings;
}

void writeSerialSettings(Profile& profile, const SerialSettings& settings)
{
    // One rewrite of the file for the four keys.
    profile.writeStrings(section(), {{"baudrate", std::to_string(settings.baudRate)},
                                     {"parity", std::to_string(settings.parity)},
                                     {"bytesize", std::to_string(settings.byteSize)},
                                     {"stopbits", std::to_string(settings.stopBits)}});
}

std::string readPortName(const Profile& profile) { return profile.readString(section(), "port"); }

bool writePortName(Profile& profile, const std::string& port)
{
    return profile.writeString(section(), "port", port);
}

int baudIndex(int rate)
{
    const int q = rate / baudRates.front();
    // Halving q down to 1 takes as many steps as its highest bit is high.
    if (q >= 1 && q <= 32)
        return std::bit_width(static_cast<unsigned>(q)) - 1;
    if (q == 57600 / 1200)
        return 6;
    if (q == 115200 / 1200)
        return 7;
    return 3; // 9600
}

bool isButtonRate(int rate)
{
    return std::find(baudRates.begin(), baudRates.end(), rate) != baudRates.end();
}

} // namespace kivo
