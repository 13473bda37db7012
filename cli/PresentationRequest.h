#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kivo::cli {

// What export and play ask for, read from the words that follow the action.
struct PresentationRequest {
    std::string name;                  // the presentation, as the store names it
    std::optional<std::string> output; // export --output FILE
    bool loop = false;                 // play --loop
    int fromShot = 1;                  // play --from SHOT, 1-based
    bool strict = false;               // play --strict: end at the first shot not taken
    bool operator==(const PresentationRequest&) const = default;
};

// Reads the operands of `action` ("export" or "play") into `request`; returns an error line,
// or an empty string when the operands are usable.
std::string parsePresentationRequest(const std::string& action,
                                     const std::vector<std::string>& operands,
                                     PresentationRequest& request);

} // namespace kivo::cli
