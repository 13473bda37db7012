#include "sim/LineNoise.h"

#include <algorithm>

namespace kivo::sim {

namespace {

char noise(char byte)
{
    // An odd multiplier keeps the 128 low patterns apart, so the garbage is as varied as the
    // bytes it stands for.
    const unsigned value = static_cast<unsigned char>(byte);
    return static_cast<char>(0x80U | ((value * 37U + 11U) & 0x7FU));
}

} // namespace

std::string garbled(std::string_view bytes)
{
    std::string out(bytes.size(), '\0');
    std::transform(bytes.begin(), bytes.end(), out.begin(), noise);
    return out;
}

std::string garbledCommands(std::string_view bytes)
{
    std::string out(bytes.size(), '\0');
    std::transform(bytes.begin(), bytes.end(), out.begin(),
                   [](char byte) { return byte == '\n' ? byte : noise(byte); });
    return out;
}

} // namespace kivo::sim
