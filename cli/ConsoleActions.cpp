#include "cli/ConsoleActions.h"

#include "cli/CliSession.h"
#include "cli/ConsoleReply.h"
#include "cli/StatusReport.h"

#include "core/link/SerialLink.h"

#include <algorithm>
#include <ostream>

namespace kivo::cli {

std::string parseSendOperands(const std::vector<std::string>& operands, CliArguments& arguments)
{
    // --raw counts only before the first command: after it, it is a command like any word.
    const auto commands = std::find_if(operands.begin(), operands.end(),
                                       [](const std::string& word) { return word != "--raw"; });
    arguments.raw = commands != operands.begin();
    arguments.commands.assign(commands, operands.end());
    if (arguments.commands.empty())
        return "send needs at least one command, for example: kivo-cli send \"wsr 3\"";
    if (std::any_of(arguments.commands.begin(), arguments.commands.end(),
                    [](const std::string& command) {
                        return command.find_first_not_of(" \t") == std::string::npos;
                    }))
        return "send got an empty command: give the command text, for example \"wsr 3\"";
    return {};
}

int sendCommands(CliSession& session, const CliArguments& arguments, std::ostream& out,
                 std::ostream& err)
{
    PanelSession& panel = session.panel();
    // Not a bring-up: the panel is idle while it sends what it is told.
    panel.app().idle = true;
    int status = exitDone;
    for (const std::string& command : arguments.commands) {
        const Reply reply = panel.channel().sendTextAndCollect(command, true);
        if (!reply.answered()) {
            err << "kivo-cli: the Quadrix did not answer \"" << command << "\"\n";
            status = exitNoReply;
            continue;
        }
        const std::string shown =
            arguments.raw ? forConsole(reply.text) : answerOnly(reply.text, command);
        out << shown;
        if (!shown.empty() && !shown.ends_with('\n'))
            out << '\n';
        // Every reply is printed; a refusal, or an answer cut short or lost in noise before the
        // device's prompt, fails the run for a script.
        if (isRefusal(reply.text)) {
            err << "kivo-cli: the Quadrix refused \"" << command << "\"\n";
            status = exitNoReply;
        } else if (reply.end != Reply::End::prompt) {
            err << "kivo-cli: the Quadrix's answer to \"" << command
                << "\" did not end with its prompt\n";
            status = exitNoReply;
        }
    }
    return status;
}

int reportStatus(CliSession& session, const CliArguments& arguments, std::ostream& out)
{
    // Start values are never reported as the device's: the bring-up has named the queries.
    if (!session.panel().bringUp().unreadQueries().empty())
        return exitNoReply;
    const HeadlessPages& pages = session.pages();
    const StatusFacts facts{session.panel().state(), pages.deviceBaud, pages.deviceEcho};
    out << (arguments.json ? formatStatusJson(facts) : formatStatusText(facts));
    return exitDone;
}

int listPorts(std::ostream& out)
{
    for (const std::string& port : SerialLink::listPorts())
        out << port << '\n';
    return exitDone;
}

} // namespace kivo::cli
