#pragma once

#include "cli/ScreenRequest.h"

#include <iosfwd>
#include <string>

namespace kivo::cli {

class CliSession;

// arrange, place or windows on a panel that has been brought up: the same Virtual Screen
// calls as the page's buttons and check boxes in Immediately mode, then a read-back that the
// Quadrix took the new layout, then one line per window that is on. Returns the exit status.
int runScreenAction(CliSession& session, const std::string& action, const ScreenRequest& request,
                    std::ostream& out, std::ostream& err);

} // namespace kivo::cli
