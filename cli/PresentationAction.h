#pragma once

#include <iosfwd>

namespace kivo::cli {

class CliSession;
struct CliArguments;

// presentations: lists what the ini file holds, as the store loads it; opens no port.
// Returns the exit status.
int listPresentations(const CliArguments& arguments, std::ostream& out, std::ostream& err);

// export or play of the presentation the arguments name: checked against the ini file before
// any port is opened, then the bring-up, then the script written or the shots played.
// Returns the exit status.
int runPresentationAction(CliSession& session, const CliArguments& arguments, std::ostream& out,
                          std::ostream& err);

} // namespace kivo::cli
