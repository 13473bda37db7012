#include "cli/CliSession.h"

#include "core/app/LinkOpener.h"
#include "sim/SimulatedQuadrix.h"

#include <cstdlib>
#include <iostream>

namespace kivo::cli {

void CliSession::ExitOnLostLink::endProcess(int)
{
    // The panel has shut down in order; for a script this run failed.
    std::exit(exitNoReply);
}

CliSession::CliSession(const CliArguments& arguments)
    : profile_(arguments.options.iniPath()), app_(profile_),
      channel_(app_, {clock_, keys_, prompter_, exit_}, state_.mirror.windowCount)
{
    if (arguments.options.port)
        app_.portName = *arguments.options.port;
    app_.startUp();
}

CliSession::~CliSession() { app_.shutdown(); }

bool CliSession::open()
{
    if (!profile_.loadError().empty())
        std::cerr << "kivo-cli: " << profile_.loadError()
                  << "; the saved settings are not used and the file is left as it is\n";
    LinkOpener opener;
    sim::addSimulatedQuadrix(opener);
    std::string error;
    if (app_.openLink(opener, error))
        return true;
    std::cerr << "kivo-cli: " << error << '\n';
    return false;
}

} // namespace kivo::cli
