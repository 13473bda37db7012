#include "tests/e2e/SimulatedQuadrix.h"

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace kivo::test {

std::vector<std::string> loggedCommands(const std::string& log)
{
    std::vector<std::string> commands;
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);)
        commands.push_back(line.substr(line.find(' ') + 1));
    return commands;
}

std::unique_ptr<ChildProcess> startSimOnPty(const std::string& link, const std::string& log,
                                            std::vector<std::string> options)
{
    options.insert(options.end(), {"--pty", link, "--log", log});
    auto sim = std::make_unique<ChildProcess>(QUADRIX_SIM_PATH, options);
    for (int i = 0; i < 500 && !std::filesystem::exists(link); ++i)
        ::usleep(10'000);
    return sim;
}

} // namespace kivo::test
