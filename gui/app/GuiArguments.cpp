#include "gui/app/GuiArguments.h"

namespace kivo::gui {

std::string guiUsageText()
{
    return std::string("Usage: kivo [--port PORT] [--ini FILE]\n"
                       "\n"
                       "The control panel of the Quadrix.\n"
                       "\n"
                       "Options:\n") +
           panelOptionsUsage;
}

GuiArguments parseGuiArguments(const std::vector<std::string>& words)
{
    GuiArguments arguments;
    for (std::size_t i = 0; i < words.size() && arguments.error.empty(); ++i)
        if (!readPanelOption(words, i, arguments.options, arguments.error))
            arguments.error = "unknown argument \"" + words[i] + "\" (see --help)";
    return arguments;
}

} // namespace kivo::gui
