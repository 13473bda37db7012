#include "GuiArguments.h"

namespace kivo::gui {

const char* const guiUsageText =
    "Usage: kivo [--port PORT] [--ini FILE]\n"
    "\n"
    "The control panel of the Quadrix.\n"
    "\n"
    "Options:\n"
    "  --port PORT  a serial port (/dev/ttyUSB0, /dev/serial/by-id/...), tcp:HOST:PORT for a\n"
    "               serial-to-Ethernet converter, or sim for the simulated Quadrix;\n"
    "               default: the port saved in the ini file\n"
    "  --ini FILE   the ini file; default: $XDG_CONFIG_HOME/Kivo/Kivo.ini\n"
    "  --help       show this text\n";

namespace {

// Takes the value after an option; false when there is none.
bool takeValue(const std::vector<std::string>& words, std::size_t& i,
               std::optional<std::string>& into)
{
    if (i + 1 >= words.size() || words[i + 1].empty())
        return false;
    into = words[++i];
    return true;
}

} // namespace

GuiArguments parseGuiArguments(const std::vector<std::string>& words)
{
    GuiArguments arguments;
    for (std::size_t i = 0; i < words.size() && arguments.error.empty(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-h")
            arguments.help = true;
        else if (word == "--port" && !takeValue(words, i, arguments.port))
            arguments.error = "--port needs a port name, for example --port /dev/ttyUSB0";
        else if (word == "--ini" && !takeValue(words, i, arguments.ini))
            arguments.error = "--ini needs a file name";
        else if (word != "--port" && word != "--ini")
            arguments.error = "unknown argument \"" + word + "\" (see --help)";
    }
    return arguments;
}

} // namespace kivo::gui
