#include "cli/CliSession.h"

#include "core/link/LinkOpener.h"
#include "sim/SimulatedQuadrix.h"

#include <iostream>
#include <unistd.h>

namespace kivo::cli {
namespace {

bool traceLost = false;

} // namespace

CliSession::CliSession(const CliArguments& arguments)
    : pages_(::isatty(STDERR_FILENO) != 0),
      session_({arguments.options.iniPath(), arguments.options.port},
               {clock_, keys_, prompter_, exit_, busy_, pages_, pages_}),
      tracePath_(arguments.options.trace)
{
    session_.app().trace.setFailureHandler([](const std::string& why) {
        std::cerr << "kivo-cli: " << why << '\n';
        traceLost = true;
    });
}

bool CliSession::traceWasLost() { return traceLost; }

bool CliSession::open()
{
    // Without its settings a run would talk at the wrong rate and lose what it stores: it
    // stops before touching the device.
    if (const std::string& error = session_.profile().loadError(); !error.empty()) {
        std::cerr << "kivo-cli: " << error << '\n';
        return false;
    }
    std::string error;
    if (tracePath_ && !session_.app().trace.start(*tracePath_, error)) {
        std::cerr << "kivo-cli: " << error << '\n';
        return false;
    }
    LinkOpener opener;
    sim::addSimulatedQuadrix(opener);
    if (session_.openLink(opener, error))
        return true;
    std::cerr << "kivo-cli: " << error << '\n';
    return false;
}

ExitStatus CliSession::bringUp()
{
    session_.bringUp().reset(true);
    return broughtUp();
}

ExitStatus CliSession::broughtUp()
{
    pages_.finishProgress();
    // Nothing answered on the port: the bring-up has said so and closed it.
    if (!session_.app().connected())
        return exitNoReply;
    // The bring-up has said that the device never stopped paging.
    if (session_.channel().deviceKeptPaging())
        return exitNoReply;
    if (!session_.bringUp().deviceUnderstood()) {
        std::cerr << "kivo-cli: the device on " << session_.app().portName
                  << " answered, but nothing it said could be read: is it a Quadrix, and set to "
                  << session_.app().serial.baudRate << " baud?\n";
        return exitNoReply;
    }
    return exitDone;
}

} // namespace kivo::cli
