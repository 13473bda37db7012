#pragma once

#include <memory>
#include <optional>
#include <string>

namespace kivo::sim {

// A pseudo-terminal for quadrix-sim: the server uses the master side, clients open the
// slave through a symbolic link. The slave is raw (no echo, no line-end translation) and
// kept open here, so the master never sees a hang-up between clients, and its settings,
// the speed a client chose among them, stay between clients.
class PseudoTerminal {
public:
    // The terminal with its link at linkPath and its speed at baud, or nullptr with error set.
    // An old symbolic link at linkPath is replaced; any other file there is left alone and
    // refused.
    static std::unique_ptr<PseudoTerminal> open(const std::string& linkPath, int baud,
                                                std::string& error);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    // The speed in baud that a client last set the slave to (cfsetospeed), or nothing when
    // the terminal cannot be read or the speed is not a number of baud.
    std::optional<int> clientSpeed() const;

private:
    PseudoTerminal(int master, int slave, std::string slavePath, std::string linkPath);

    int master_;
    int slave_;
    std::string slavePath_;
    std::string linkPath_;
};

} // namespace kivo::sim
