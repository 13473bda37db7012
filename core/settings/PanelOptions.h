#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kivo {

// The command-line options every Kivo program takes.
struct PanelOptions {
    std::optional<std::string> port;  // overrides the saved "SERIALPORT"/"port" for this run
    std::optional<std::string> ini;   // overrides the default ini file
    std::optional<std::string> trace; // a file that gets every byte both ways
    bool help = false;

    // The --ini file; without one, the default Kivo.ini, or Kivo-sim.ini beside it for the
    // simulated Quadrix, so that trying things out never changes the real device's settings.
    std::filesystem::path iniPath() const;
    // Empty when iniPath() may be used; otherwise one line saying why the program must stop
    // before it opens a port (the path names a folder).
    std::string iniPathError() const;
};

// Reads words[i] when it is one of the common options, moving `i` past its value, and returns
// true; returns false for any other word. `error` says what is wrong with a value left out.
bool readPanelOption(const std::vector<std::string>& words, std::size_t& i, PanelOptions& options,
                     std::string& error);

// The usage lines of the common options.
extern const char* const panelOptionsUsage;

} // namespace kivo
