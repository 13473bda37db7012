#pragma once

#include "tests/support/ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

namespace kivo::test {

// The lines of quadrix-sim's log without their time stamps: the bytes of each command.
std::vector<std::string> loggedCommands(const std::string& log);

// Starts quadrix-sim on a pseudo-terminal whose slave side is linked at `link`, logging each
// command it receives to `log`; returns once the link is there to be opened.
std::unique_ptr<ChildProcess> startSimOnPty(const std::string& link, const std::string& log,
                                            std::vector<std::string> options = {});

} // namespace kivo::test
