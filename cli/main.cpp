#include "cli/ActionTable.h"
#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/StopSignal.h"

#include <iostream>

namespace kivo::cli {
namespace {

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
    return runAction(*findAction(parsed.arguments.action), parsed.arguments, std::cout, std::cerr);
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
