#pragma once

#include <string>
#include <string_view>

namespace kivo::sim {

// What a serial line whose two ends run at different speeds makes of bytes: each byte
// becomes one with the high bit set, so nothing of the command language or its replies
// survives, and the same byte always becomes the same garbage.
std::string garbled(std::string_view bytes);

// The same for what the device receives, except that line feeds stay: each command still
// ends, and the device refuses it as the noise it is.
std::string garbledCommands(std::string_view bytes);

} // namespace kivo::sim
