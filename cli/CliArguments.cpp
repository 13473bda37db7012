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
               "\n"
               "Options:\n") +
           panelOptionsUsage +
           "\nExit status: 0 done; 1 the Quadrix did not answer, refused a command (\"Error\")\n"
           "or said nothing that could be read; 2 bad arguments or a port that cannot be opened.\n";
}

namespace {

constexpr std::array actions{"send", "status", "ports"};

bool isAction(const std::string& word)
{
    return std::find(actions.begin(), actions.end(), word) != actions.end();
}

std::string checkAction(const CliArguments& arguments)
{
    if (arguments.action.empty())
        return "no action given: use send, status or ports (see --help)";
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
        } else {
            return {arguments, "unknown argument \"" + word + "\" (see --help)"};
        }
    }
    if (!arguments.options.help)
        parsed.error = checkAction(arguments);
    return parsed;
}

} // namespace kivo::cli
