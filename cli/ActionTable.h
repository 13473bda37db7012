#pragma once

#include "cli/CliSession.h"

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::cli {

struct CliArguments;

// What an action needs of the panel before it runs.
enum class StartUp {
    none,    // no port: the action reads the ini file or this machine only
    port,    // the port open, the device not yet walked through the start-up
    bringUp, // the port open and the device walked through the start-up queries
    // As bringUp, but the run starts the panel itself (startPanel) once what the ini file must
    // hold for it is there, so that nothing is sent for a request that cannot be carried out.
    bringUpAfterChecks,
};

// What a run of an action works with. `session` is null for an action that opens no port.
struct ActionContext {
    const CliArguments& arguments;
    CliSession* session;
    std::ostream& out;
    std::ostream& err;
};

// One way of writing an action, as --help lists it: the usage, then what it does, its lines
// broken where they are to be broken.
struct ActionForm {
    std::string_view usage;
    std::string_view summary;
};

// One action of kivo-cli. Adding one is a row in the table (ActionTable.cpp) and two
// functions: the one that reads its operands and the one that runs it.
struct Action {
    std::string_view name;
    std::vector<ActionForm> forms = {};
    // A paragraph --help prints after the list of actions; empty when the forms say it all.
    std::string_view notes = {};
    StartUp startUp = StartUp::bringUp;
    bool takesJson = false;
    // Every word after the action is its operand, options included (send's commands).
    bool ownsEveryWord = false;
    // Reads the words after the action into the arguments; returns an error line, or an empty
    // string when they are usable. Null for an action that takes no operands.
    std::string (*parseOperands)(const std::string& action,
                                 const std::vector<std::string>& operands,
                                 CliArguments& arguments) = nullptr;
    // Carries the action out; returns the exit status.
    int (*run)(ActionContext& context) = nullptr;
};

// Every action, in the order --help lists them.
std::span<const Action> actions();
// The action called `name`; null when there is none.
const Action* findAction(std::string_view name);

// The "Actions:" part of --help, the notes after it included.
std::string actionsUsage();
// The error line for a command line that names no action.
std::string noActionError();
// The error line for --json given to an action that does not take it.
std::string jsonError();

// Opens the port and, for bringUp, walks the device through the start-up queries. Returns
// exitDone, or the status to end with when the session has said on stderr what went wrong.
ExitStatus startPanel(CliSession& session, StartUp startUp);

// The one way an action is carried out: the session the action's row asks for, started as it
// asks, then its run. Returns the exit status.
int runAction(const Action& action, const CliArguments& arguments, std::ostream& out,
              std::ostream& err);

} // namespace kivo::cli
