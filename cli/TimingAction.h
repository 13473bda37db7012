#pragma once

#include "cli/TimingRequest.h"

#include <iosfwd>

namespace kivo::cli {

class CliSession;

// output recall, save, delete and mode, and input recall, on a panel that has been brought up:
// the same settings code as the Quadrix Output and Inputs pages, with the operator's command
// line as the answer to the pages' questions. Prints the timing the Quadrix then reports.
// Returns the exit status.
int runTimingAction(CliSession& session, const TimingRequest& request, std::ostream& out,
                    std::ostream& err);

} // namespace kivo::cli
