#pragma once

#include "cli/ChromaKeyAction.h"
#include "cli/ImageAction.h"
#include "cli/PresentationRequest.h"
#include "cli/ScreenRequest.h"
#include "cli/SerialAction.h"
#include "cli/TimingRequest.h"

#include "core/settings/PanelOptions.h"

#include <string>
#include <vector>

namespace kivo::cli {

// What kivo-cli was asked to do.
struct CliArguments {
    PanelOptions options;
    // The name of one of the actions of ActionTable.h; empty with --help.
    std::string action;
    std::vector<std::string> commands;
    ScreenRequest screen;             // arrange, place and windows
    PresentationRequest presentation; // export and play
    TimingRequest timing;             // output and input
    ChromaKeyRequest chromaKey;       // chromakey
    ImageRequest image;               // source and level
    SerialRequest serial;             // baud, factory-reset and frontpanel
    bool json = false;                // status and presentations
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
