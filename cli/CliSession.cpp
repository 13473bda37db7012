#include "cli/CliSession.h"

#include "core/app/LinkOpener.h"
#include "sim/SimulatedQuadrix.h"

#include <iostream>
#include <unistd.h>

namespace kivo::cli {

CliSession::CliSession(const CliArguments& arguments)
    : pages_(::isatty(STDERR_FILENO) != 0),
      session_({arguments.options.iniPath(), arguments.options.port},
               {clock_, keys_, prompter_, exit_, busy_, pages_, pages_}),
      tracePath_(arguments.options.trace)
{
}

bool CliSession::open()
{
    if (const std::string& error = session_.profile().loadError(); !error.empty())
        std::cerr << "kivo-cli: " << error
                  << "; the saved settings are not used and the file is left as it is\n";
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

} // namespace kivo::cli
