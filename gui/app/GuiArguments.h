#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kivo::gui {

// What kivo was asked for on its command line.
struct GuiArguments {
    std::optional<std::string> port; // overrides the saved "SERIALPORT"/"port" for this run
    std::optional<std::string> ini;  // overrides the default ini file
    bool help = false;
    std::string error; // non-empty when the command line cannot be used
};

GuiArguments parseGuiArguments(const std::vector<std::string>& words);

extern const char* const guiUsageText;

} // namespace kivo::gui
