#pragma once

#include <string>

namespace kivo {

// Why a serial port did not open, naming the likely cause: "cannot open" alone leaves an
// operator guessing.
std::string explainPortOpenFailure(const std::string& name, int error);

} // namespace kivo
