#include "core/settings/PanelOptions.h"

#include "core/settings/Profile.h"

namespace kivo {

const char* const panelOptionsUsage =
    "  --port PORT  a serial port (/dev/ttyUSB0, /dev/serial/by-id/...), tcp:HOST:PORT for a\n"
    "               serial-to-Ethernet converter, or sim for the simulated Quadrix;\n"
    "               default: the port saved in the ini file\n"
    "  --ini FILE   the ini file; default: $XDG_CONFIG_HOME/Kivo/Kivo.ini, or Kivo-sim.ini\n"
    "               beside it with --port sim\n"
    "  --trace FILE write every byte to and from the device to FILE, a line per chunk\n"
    "  --help       show this text\n";

namespace {

// The port name sim/SimulatedQuadrix.h gives the simulated Quadrix.
constexpr const char* simulatedPort = "sim";

bool takeValue(const std::vector<std::string>& words, std::size_t& i,
               std::optional<std::string>& into)
{
    if (i + 1 >= words.size() || words[i + 1].empty())
        return false;
    into = words[++i];
    return true;
}

} // namespace

std::filesystem::path PanelOptions::iniPath() const
{
    if (ini)
        return *ini;
    if (port == simulatedPort)
        return Profile::defaultPath().replace_filename("Kivo-sim.ini");
    return Profile::defaultPath();
}

std::string PanelOptions::iniPathError() const
{
    std::error_code ec;
    if (std::filesystem::is_directory(iniPath(), ec))
        return iniPath().string() + " is a folder, not an ini file; name a file with --ini FILE";
    return {};
}

bool readPanelOption(const std::vector<std::string>& words, std::size_t& i, PanelOptions& options,
                     std::string& error)
{
    const std::string& word = words[i];
    if (word == "--help" || word == "-h")
        options.help = true;
    else if (word == "--port" && !takeValue(words, i, options.port))
        error = "--port needs a port name, for example --port /dev/ttyUSB0";
    else if (word == "--ini" && !takeValue(words, i, options.ini))
        error = "--ini needs a file name";
    else if (word == "--trace" && !takeValue(words, i, options.trace))
        error = "--trace needs a file name";
    else if (word != "--port" && word != "--ini" && word != "--trace")
        return false;
    return true;
}

} // namespace kivo
