#pragma once

#include "core/app/PanelOptions.h"

#include <string>
#include <vector>

namespace kivo::gui {

// What kivo was asked for on its command line.
struct GuiArguments {
    PanelOptions options;
    std::string error; // non-empty when the command line cannot be used
};

GuiArguments parseGuiArguments(const std::vector<std::string>& words);

// The text --help prints.
std::string guiUsageText();

} // namespace kivo::gui
