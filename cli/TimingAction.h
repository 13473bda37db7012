#pragma once

#include "cli/TimingRequest.h"

#include <iosfwd>

namespace kivo::cli {

class CliSession;

// output recall, save, delete and mode on a panel that has been brought up: the same output
// settings as the Quadrix Output page, with the operator's command line as the answer to the
// page's questions. Prints the output timing the Quadrix then reports. Returns the exit status.
int runTimingAction(CliSession& session, const TimingRequest& request, std::ostream& out,
                    std::ostream& err);

} // namespace kivo::cli
