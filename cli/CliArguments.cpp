#include "cli/CliArguments.h"

#include <algorithm>
#include <array>

namespace kivo::cli {

std::string usageText()
{
    return std::string(
               "Usage: kivo-cli [--port PORT] [--ini FILE] ACTION\n"
               "\n"
               "Actions:\n"
               "  send [--raw] COMMAND...\n"
               "                    send each command to the Quadrix and print its answer;\n"
               "                    --raw prints the reply whole, echo and prompt included\n"
               "  status [--json]   walk the Quadrix through the start-up queries and "
               "print what it has\n"
               "  ports             list this machine's serial ports, stable names first\n"
               "  arrange grid|centre|top-left|top-right|bottom-right|bottom-left\n"
               "                    lay the windows that are on out as the Arrange buttons do\n"
               "  arrange user N    recall user arrangement N (1 to 4) stored in the ini file\n"
               "  place N LEFT TOP WIDTH HEIGHT\n"
               "                    put window N at this rectangle of the output, in pixels\n"
               "  windows on|off N...\n"
               "                    switch windows on or off, as their check boxes do\n"
               "\n"
               "arrange, place and windows start as status does, read the new layout back from\n"
               "the Quadrix, then print one line per window that is on, in output pixels:\n"
               "  window N: LEFT TOP WIDTH HEIGHT\n"
               "place also prints the window it placed while off, ending its line with \"(off)\".\n"
               "\n"
               "Options:\n") +
           panelOptionsUsage +
           "\nExit status: 0 done; 1 the Quadrix did not answer, refused a command (\"Error\"),\n"
           "said nothing that could be read or did not take a new layout; 2 bad arguments, a\n"
           "port that cannot be opened, or a request this Quadrix or ini file cannot carry out\n"
           "(a window it does not have, a user arrangement not stored, an arrangement with\n"
           "fewer than two windows on).\n";
}

namespace {

constexpr std::array actions{"send", "status", "ports", "arrange", "place", "windows"};

bool isAction(const std::string& word)
{
    return std::find(actions.begin(), actions.end(), word) != actions.end();
}

std::string checkAction(const CliArguments& arguments)
{
    if (arguments.action.empty())
        return "no action given: use send, status, ports, arrange, place or windows (see --help)";
    if (arguments.action == "send" && arguments.commands.empty())
        return "send needs at least one command, for example: kivo-cli send \"wsr 3\"";
    if (std::any_of(arguments.commands.begin(), arguments.commands.end(),
                    [](const std::string& command) {
                        return command.find_first_not_of(" \t") == std::string::npos;
                    }))
        return "send got an empty command: give the command text, for example \"wsr 3\"";
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
    std::vector<std::string> operands; // of arrange, place and windows
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool inCommands = arguments.action == "send";
        std::string error;
        if (word == "--help" || word == "-h") {
            arguments.options.help = true;
        } else if (!inCommands && readPanelOption(words, i, arguments.options, error)) {
            if (!error.empty())
                return {arguments, error};
        } else if (arguments.action == "status" && word == "--json") {
            arguments.json = true;
        } else if (inCommands && arguments.commands.empty() && word == "--raw") {
            arguments.raw = true;
        } else if (arguments.action.empty() && isAction(word)) {
            arguments.action = word;
        } else if (inCommands) {
            arguments.commands.push_back(word);
        } else if (isScreenAction(arguments.action)) {
            operands.push_back(word);
        } else {
            return {arguments, "unknown argument \"" + word + "\" (see --help)"};
        }
    }
    if (arguments.options.help)
        return parsed;
    parsed.error = checkAction(arguments);
    if (parsed.error.empty() && isScreenAction(arguments.action))
        parsed.error = parseScreenRequest(arguments.action, operands, arguments.screen);
    return parsed;
}

} // namespace kivo::cli
