#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kivo::cli {

// What kivo-cli was asked to do.
struct CliArguments {
    std::optional<std::string> port; // overrides the saved "SERIALPORT"/"port"
    std::optional<std::string> ini;  // overrides the default ini file
    std::string action;              // "send", "status" or "ports"; empty with --help
    std::vector<std::string> commands;
    bool json = false;
    bool help = false;
};

struct ParsedArguments {
    CliArguments arguments;
    std::string error; // non-empty when the command line cannot be used
};

ParsedArguments parseArguments(const std::vector<std::string>& words);

extern const char* const usageText;

} // namespace kivo::cli
