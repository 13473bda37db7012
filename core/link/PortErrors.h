#pragma once

#include <string>

namespace kivo {

// Why a serial port did not open, naming the likely cause: "cannot open" alone leaves an
// operator guessing.
std::string explainPortOpenFailure(const std::string& name, int error);

// Why `name`, a file that exists, cannot be a serial port (a regular file, a pipe, /dev/null);
// empty when it may be one, or does not exist.
std::string notASerialPort(const std::string& name);

} // namespace kivo
