#pragma once

#include "core/image/ImageLevels.h"
#include "core/image/SourceSteps.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kivo::cli {

class CliSession;

// What "source" or "level" asks of the Image Controls page for one window.
struct ImageRequest {
    int window = 0;
    std::optional<SourceRequest> source; // source
    std::optional<Level> level;          // level
    std::string value;                   // level: the value as typed, checked by the page
    bool operator==(const ImageRequest&) const = default;
};

// Reads the operands of `action` ("source" or "level"); returns an error line, or an empty
// string when the operands are usable.
std::string parseImageRequest(const std::string& action, const std::vector<std::string>& operands,
                              ImageRequest& request);

// source or level on a panel that has been brought up: the Image Controls page's own calls,
// then a read-back that the Quadrix took the new value, then one line with what it holds.
// Returns the exit status.
int runImageAction(CliSession& session, const ImageRequest& request, std::ostream& out,
                   std::ostream& err);

} // namespace kivo::cli
