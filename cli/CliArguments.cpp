#include "CliArguments.h"

#include <algorithm>
#include <array>

namespace kivo::cli {

const char* const usageText =
    "Usage: kivo-cli [--port PORT] [--ini FILE] ACTION\n"
    "\n"
    "Actions:\n"
    "  send COMMAND...   send each command to the Quadrix and print its reply\n"
    "  status [--json]   walk the Quadrix through the start-up queries and print what it has\n"
    "  ports             list this machine's serial ports, stable names first\n"
    "\n"
    "Options:\n"
    "  --port PORT  a serial port (/dev/ttyUSB0, /dev/serial/by-id/...), tcp:HOST:PORT for a\n"
    "               serial-to-Ethernet converter, or sim for the simulated Quadrix;\n"
    "               default: the port saved in the ini file\n"
    "  --ini FILE   the ini file; default: $XDG_CONFIG_HOME/Kivo/Kivo.ini\n"
    "  --help       show this text\n"
    "\n"
    "Exit status: 0 done, 1 the Quadrix did not answer, 2 bad arguments or a port that cannot "
    "be opened.\n";

namespace {

constexpr std::array actions{"send", "status", "ports"};

bool isAction(const std::string& word)
{
    return std::find(actions.begin(), actions.end(), word) != actions.end();
}

// Takes the value after an option; returns false when there is none.
bool takeValue(const std::vector<std::string>& words, std::size_t& i,
               std::optional<std::string>& into)
{
    if (i + 1 >= words.size() || words[i + 1].empty())
        return false;
    into = words[++i];
    return true;
}

std::string checkAction(const CliArguments& arguments)
{
    if (arguments.action.empty())
        return "no action given: use send, status or ports (see --help)";
    if (arguments.action == "send" && arguments.commands.empty())
        return "send needs at least one command, for example: kivo-cli send \"wsr 3\"";
    if (arguments.action != "send" && !arguments.commands.empty())
        return arguments.action + " takes no commands, but got \"" + arguments.commands.front() +
               "\"";
    if (arguments.json && arguments.action != "status")
        return "--json goes with status only";
    return {};
}

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& words)
{
    ParsedArguments parsed;
    CliArguments& arguments = parsed.arguments;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool inCommands = arguments.action == "send";
        if (word == "--help" || word == "-h") {
            arguments.help = true;
        } else if (!inCommands && word == "--port") {
            if (!takeValue(words, i, arguments.port))
                return {arguments, "--port needs a port name, for example --port /dev/ttyUSB0"};
        } else if (!inCommands && word == "--ini") {
            if (!takeValue(words, i, arguments.ini))
                return {arguments, "--ini needs a file name"};
        } else if (arguments.action == "status" && word == "--json") {
            arguments.json = true;
        } else if (arguments.action.empty() && isAction(word)) {
            arguments.action = word;
        } else if (inCommands) {
            arguments.commands.push_back(word);
        } else {
            return {arguments, "unknown argument \"" + word + "\" (see --help)"};
        }
    }
    if (!arguments.help)
        parsed.error = checkAction(arguments);
    return parsed;
}

} // namespace kivo::cli
