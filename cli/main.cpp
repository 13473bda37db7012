#include "CliArguments.h"
#include "CliSession.h"

#include "app/LinkOpener.h"
#include "app/SerialLink.h"
#include "app/Text.h"

#include <iostream>

namespace kivo::cli {
namespace {

// The reply as a terminal shows it: device line breaks become plain line feeds.
std::string forConsole(const std::string& reply)
{
    std::string text;
    for (const char c : reply)
        if (c != '\r')
            text += c;
    return text;
}

int sendCommands(const CliArguments& arguments)
{
    CliSession session(arguments);
    if (!session.open())
        return exitUsage;
    // Not a bring-up: the panel is idle while it sends what it is told.
    session.app().idle = true;
    int status = exitDone;
    for (const std::string& command : arguments.commands) {
        if (session.channel().sendTextAndCollect(command, true) == 0) {
            std::cerr << "kivo-cli: the Quadrix did not answer \"" << command << "\"\n";
            status = exitNoReply;
            continue;
        }
        std::cout << forConsole(session.app().collectedReply);
        if (!session.app().collectedReply.ends_with('\n'))
            std::cout << '\n';
    }
    return status;
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
    if (parsed.arguments.help) {
        std::cout << usageText;
        return exitDone;
    }
    if (!parsed.error.empty()) {
        std::cerr << "kivo-cli: " << parsed.error << '\n';
        return exitUsage;
    }
    if (parsed.arguments.action == "ports")
        return listPorts();
    return sendCommands(parsed.arguments);
}

} // namespace
} // namespace kivo::cli

int main(int argc, char** argv)
{
    return kivo::cli::run(std::vector<std::string>(argv + 1, argv + argc));
}
