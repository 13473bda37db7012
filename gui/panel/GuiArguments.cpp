#include "gui/panel/GuiArguments.h"

namespace kivo::gui {

std::string guiUsageText()
{
    return std::string("Usage: kivo [--port PORT] [--ini FILE] [--trace FILE]\n"
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

std::vector<std::string> ownWords(const std::vector<std::string>& words)
{
    const auto qtOption = [](const std::string& word) {
        return word.size() > 1 && word[0] == '-' && word[1] != '-' && word != "-h";
    };
    std::vector<std::string> own;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!qtOption(words[i]))
            own.push_back(words[i]);
        else if (i + 1 < words.size() && !words[i + 1].starts_with('-'))
            ++i;
    }
    return own;
}

} // namespace kivo::gui
