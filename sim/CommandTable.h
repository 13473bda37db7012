#pragma once

#include "sim/CommandPattern.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::sim {

// The simulated Quadrix's line commands: each form with its usage, a one-line summary for
// "help", and the handler that changes the state and returns the reply lines.
class CommandTable {
public:
    using Handler = std::function<std::string(const CommandArgs&)>;

    void add(std::string_view pattern, std::string_view usage, std::string_view summary,
             Handler handler);

    // The reply to one command line: the first matching form's, else an error naming
    // the forms of the command or saying the command is unknown.
    std::string execute(std::string_view line) const;
    // The "help" listing, one line per form.
    std::string help() const;

private:
    struct Entry {
        CommandPattern pattern;
        std::string usage;
        std::string summary;
        Handler handler;
    };

    std::string usageError(std::string_view line) const;

    std::vector<Entry> entries_;
};

} // namespace kivo::sim
