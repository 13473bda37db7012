#pragma once

#include <cstddef>
#include <string_view>

namespace kivo {

class CommandChannel;
class PanelApp;
class Prompter;
class TerminalModel;

// The operator's terminal on the device's command line: what is typed goes into the Terminal
// text, Enter sends the line just finished and shows the answer as it arrives.
class TerminalConsole {
public:
    TerminalConsole(TerminalModel& model, CommandChannel& channel, PanelApp& app,
                    Prompter& prompter);

    void type(std::string_view characters);
    void erase();
    void enter();
    // Pasted text goes to the end of the last line; each whole line in it is sent in turn, as
    // if typed and ended with Enter, and what follows the last line break stays typed.
    void paste(std::string_view text);

    // Reads the answer chunk by chunk into the Terminal so it shows as it arrives. Neither logs
    // nor counts failed reads nor checks for the abort; a failed read is reported. Returns
    // whether the last read succeeded.
    bool ReadCommForTerm(std::size_t limit);

private:
    void reportBadRead();

    TerminalModel& model_;
    CommandChannel& channel_;
    PanelApp& app_;
    Prompter& prompter_;
};

} // namespace kivo
