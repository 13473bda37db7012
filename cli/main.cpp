#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/ConsoleReply.h"
#include "cli/ImageAction.h"
#include "cli/PresentationAction.h"
#include "cli/ScreenAction.h"
#include "cli/SerialAction.h"
#include "cli/StatusReport.h"
#include "cli/StopSignal.h"
#include "cli/TimingAction.h"

#include "core/link/SerialLink.h"

#include <iostream>

namespace kivo::cli {
namespace {

int sendCommands(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    PanelSession& panel = session.panel();
    // Not a bring-up: the panel is idle while it sends what it is told.
    panel.app().idle = true;
    int status = exitDone;
    for (const std::string& command : arguments.commands) {
        const Reply reply = panel.channel().sendTextAndCollect(command, true);
        if (!reply.answered()) {
            std::cerr << "kivo-cli: the Quadrix did not answer \"" << command << "\"\n";
            status = exitNoReply;
            continue;
        }
        const std::string shown =
            arguments.raw ? forConsole(reply.text) : answerOnly(reply.text, command);
        std::cout << shown;
        if (!shown.empty() && !shown.ends_with('\n'))
            std::cout << '\n';
        // Every reply is printed; a refusal, or an answer cut short or lost in noise before the
        // device's prompt, fails the run for a script.
        if (isRefusal(reply.text)) {
            std::cerr << "kivo-cli: the Quadrix refused \"" << command << "\"\n";
            status = exitNoReply;
        } else if (reply.end != Reply::End::prompt) {
            std::cerr << "kivo-cli: the Quadrix's answer to \"" << command
                      << "\" did not end with its prompt\n";
            status = exitNoReply;
        }
    }
    return status;
}

int reportStatus(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    if (const ExitStatus status = session.bringUp(); status != exitDone)
        return status;
    // Start values are never reported as the device's: the bring-up has named the queries.
    if (!session.panel().bringUp().unreadQueries().empty())
        return exitNoReply;
    const HeadlessPages& pages = session.pages();
    const StatusFacts facts{session.panel().state(), pages.deviceBaud, pages.deviceEcho};
    std::cout << (arguments.json ? formatStatusJson(facts) : formatStatusText(facts));
    return exitDone;
}

int changeScreen(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    if (const ExitStatus status = session.bringUp(); status != exitDone)
        return status;
    return runScreenAction(session, arguments.action, arguments.screen, std::cout, std::cerr);
}

int changeTimings(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    if (const ExitStatus status = session.bringUp(); status != exitDone)
        return status;
    return runTimingAction(session, arguments.timing, std::cout, std::cerr);
}

int changeChromaKey(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    if (const ExitStatus status = session.bringUp(); status != exitDone)
        return status;
    return runChromaKeyAction(session, arguments.chromaKey, std::cout);
}

int changeImage(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    if (const ExitStatus status = session.bringUp(); status != exitDone)
        return status;
    return runImageAction(session, arguments.image, std::cout, std::cerr);
}

int changeSerial(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    // The saved rate may be what is wrong: the search starts without a bring-up.
    if (arguments.action == "find-rate")
        return findRate(session, std::cout, std::cerr);
    if (const ExitStatus status = session.bringUp(); status != exitDone)
        return status;
    return runSerialAction(session, arguments.action, arguments.serial, std::cout, std::cerr);
}

int usePresentation(const CliArguments& arguments)
{
    CliSession session(arguments);
    return runPresentationAction(session, arguments, std::cout, std::cerr);
}

int listPorts()
{
    for (const std::string& port : SerialLink::listPorts())
        std::cout << port << '\n';
    return exitDone;
}

int run(const std::vector<std::string>& words)
{
    const ParsedArguments parsed = parseArguments(words);
    if (parsed.arguments.options.help) {
        std::cout << usageText();
        return exitDone;
    }
    if (!parsed.error.empty()) {
        std::cerr << "kivo-cli: " << parsed.error << '\n';
        return exitUsage;
    }
    if (const std::string error = parsed.arguments.options.iniPathError(); !error.empty()) {
        std::cerr << "kivo-cli: " << error << '\n';
        return exitUsage;
    }
    if (parsed.arguments.action == "ports")
        return listPorts();
    if (parsed.arguments.action == "status")
        return reportStatus(parsed.arguments);
    if (isScreenAction(parsed.arguments.action))
        return changeScreen(parsed.arguments);
    if (parsed.arguments.action == "presentations")
        return listPresentations(parsed.arguments, std::cout, std::cerr);
    if (isPresentationAction(parsed.arguments.action))
        return usePresentation(parsed.arguments);
    if (isTimingAction(parsed.arguments.action))
        return changeTimings(parsed.arguments);
    if (isChromaKeyAction(parsed.arguments.action))
        return changeChromaKey(parsed.arguments);
    if (isImageAction(parsed.arguments.action))
        return changeImage(parsed.arguments);
    if (isSerialAction(parsed.arguments.action))
        return changeSerial(parsed.arguments);
    return sendCommands(parsed.arguments);
}

} // namespace
} // namespace kivo::cli

int main(int argc, char** argv)
{
    using namespace kivo::cli;
    // An interrupted run gives the Quadrix its echo back and saves its settings like any other.
    catchStopSignals();
    const int status = run(std::vector<std::string>(argv + 1, argv + argc));
    // The device did what it was told, but the trace the operator asked for is not whole.
    return status == exitDone && CliSession::traceWasLost() ? exitNoReply : status;
}
