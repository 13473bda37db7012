#include "cli/CliArguments.h"

#include "cli/ActionTable.h"
#include "cli/Operands.h"

namespace kivo::cli {

std::string usageText()
{
    return "Usage: kivo-cli [--port PORT] [--ini FILE] ACTION\n\n" + actionsUsage() +
           "\nOptions:\n" + panelOptionsUsage +
           "\nExit status: 0 done; 1 the Quadrix did not answer, refused a command (\"Error\"),\n"
           "said nothing that could be read or did not take a new layout; 2 bad arguments, a\n"
           "port that cannot be opened, or a request this Quadrix or ini file cannot carry out\n"
           "(a window it does not have, a user arrangement not stored, an arrangement with\n"
           "fewer than two windows on, a presentation not stored or with fewer than two shots\n"
           "to play, an ini file that cannot be read for presentations, a source or level\n"
           "the window's input cannot take); 1 also when export cannot write its script,\n"
           "when output mode auto found no reference, when an output setting is empty or\n"
           "was not stored, deleted or switched to free-run, and when a source or level was\n"
           "not taken or could not be read back;\n"
           "129, 130, 143 stopped by SIGHUP, Ctrl-C or SIGTERM, after giving the Quadrix its\n"
           "echo back and saving the settings.\n";
}

ParsedArguments parseArguments(const std::vector<std::string>& words)
{
    ParsedArguments parsed;
    CliArguments& arguments = parsed.arguments;
    const Action* action = nullptr;
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool ownWord = action && action->ownsEveryWord;
        std::string error;
        if (word == "--help" || word == "-h") {
            arguments.options.help = true;
        } else if (!ownWord && readPanelOption(words, i, arguments.options, error)) {
            if (!error.empty())
                return {arguments, error};
        } else if (!ownWord && action && word == "--json") {
            arguments.json = true;
        } else if (!action && findAction(word)) {
            action = findAction(word);
            arguments.action = word;
        } else if (action && action->parseOperands) {
            operands.push_back(word);
        } else {
            return {arguments, "unknown argument " + quoted(word) + " (see --help)"};
        }
    }
    if (arguments.options.help)
        return parsed;
    if (!action)
        parsed.error = noActionError();
    else if (arguments.json && !action->takesJson)
        parsed.error = jsonError();
    else if (action->parseOperands)
        parsed.error = action->parseOperands(arguments.action, operands, arguments);
    return parsed;
}

} // namespace kivo::cli
