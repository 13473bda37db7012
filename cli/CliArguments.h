#pragma once

#include "cli/ScreenRequest.h"

#include "core/app/PanelOptions.h"

#include <string>
#include <vector>

namespace kivo::cli {

// What kivo-cli was asked to do.
struct CliArguments {
    PanelOptions options;
    // "send", "status", "ports", "arrange", "place" or "windows"; empty with --help
    std::string action;
    std::vector<std::string> commands;
    ScreenRequest screen; // arrange, place and windows
    bool json = false;
    bool raw = false; // send: print replies as the device sent them, echo and prompt included
};

struct ParsedArguments {
    CliArguments arguments;
    std::string error; // non-empty when the command line cannot be used
};

ParsedArguments parseArguments(const std::vector<std::string>& words);

// The text --help prints.
std::string usageText();

} // namespace kivo::cli
