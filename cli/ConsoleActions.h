#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kivo::cli {

class CliSession;
struct CliArguments;

// Reads send's words: --raw first, then the commands, none of them blank. Returns an error
// line, or an empty string when they are usable.
std::string parseSendOperands(const std::vector<std::string>& operands, CliArguments& arguments);

// send on a panel whose port is open: each command as typed, its answer printed. Returns the
// exit status.
int sendCommands(CliSession& session, const CliArguments& arguments, std::ostream& out,
                 std::ostream& err);

// status on a panel that has been brought up: what the start-up queries found, as text or
// JSON. Returns the exit status.
int reportStatus(CliSession& session, const CliArguments& arguments, std::ostream& out);

// ports: this machine's serial ports, one a line. Returns the exit status.
int listPorts(std::ostream& out);

} // namespace kivo::cli
