#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kivo::cli {

class CliSession;

// What "baud", "factory-reset", "frontpanel" or "find-rate" asks of the Serial Port and Resets
// page.
struct SerialRequest {
    int baud = 0;                // baud: the device's new rate
    bool confirmed = false;      // factory-reset --yes
    bool lockFrontPanel = false; // frontpanel lock (true) or unlock
    bool operator==(const SerialRequest&) const = default;
};

// Reads the operands of `action`; returns an error line, or an empty string when usable.
std::string parseSerialRequest(const std::string& action, const std::vector<std::string>& operands,
                               SerialRequest& request);

// baud, factory-reset or frontpanel on a panel that has been brought up, through the page's
// own operations; its questions count as answered yes. Returns the exit status.
int runSerialAction(CliSession& session, const std::string& action, const SerialRequest& request,
                    std::ostream& out, std::ostream& err);

// find-rate on a panel whose port is open and not yet brought up: the Serial Port page's Find
// the rate. Returns the exit status.
int findRate(CliSession& session, std::ostream& out, std::ostream& err);

} // namespace kivo::cli
