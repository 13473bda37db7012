#pragma once

#include "core/presentations/PresentationStore.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

struct DeviceMirror;

// A presentation as a device command script: for each shot, all windows off, each window's
// placement, the stacking, the on/off line and a "sleep" for the hold time, every line ending
// in carriage return, carriage return, line feed. The mirror gives the device's window count,
// firmware and output size; it is not changed.
std::string commandScript(const Presentation& presentation, const DeviceMirror& mirror);

// The script's file name for a presentation: its name with ".txt", made safe to create in the
// working directory (path separators, control characters and a leading dot become "_").
// Nothing for a name that leaves no file name.
std::optional<std::string> scriptFileName(std::string_view presentationName);

// Writes the script whole or not at all; returns why it could not, or nothing.
std::string writeCommandScript(const std::filesystem::path& path, const std::string& script);

} // namespace kivo
