#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/output/ChromaKey.h"

namespace kivo::cli {

class CliSession;

// What "chromakey" asks: the mode (on is chroma key, off insert), or a colour preset.
struct ChromaKeyRequest {
    std::optional<bool> chromaKeyOn;
    std::optional<ChromaPreset> preset;
    bool operator==(const ChromaKeyRequest&) const = default;
};

// Reads the operand of "chromakey"; returns an error line, or an empty string when usable.
std::string parseChromaKeyRequest(const std::vector<std::string>& operands,
                                  ChromaKeyRequest& request);

// chromakey on a panel that has been brought up: the ChromaKey Controls dialog's reading and
// sending, then one line with the mode and the six limits. Returns the exit status.
int runChromaKeyAction(CliSession& session, const ChromaKeyRequest& request, std::ostream& out);

} // namespace kivo::cli
