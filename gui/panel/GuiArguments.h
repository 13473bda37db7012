#pragma once

#include "core/settings/PanelOptions.h"

#include <string>
#include <vector>

namespace kivo::gui {

// What kivo was asked for on its command line.
struct GuiArguments {
    PanelOptions options;
    std::string error; // non-empty when the command line cannot be used
};

GuiArguments parseGuiArguments(const std::vector<std::string>& words);

// The words that are kivo's own, before Qt has taken its options out: Qt's are written with
// one dash (-platform offscreen, -reverse), so those and a value after one are left aside.
// Lets a bad command line be refused, and --help answered, where there is no display.
std::vector<std::string> ownWords(const std::vector<std::string>& words);

// The text --help prints.
std::string guiUsageText();

} // namespace kivo::gui
