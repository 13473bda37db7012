#pragma once

#include <csignal>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kivo::test {

// A program of ours run as its own process, for tests of the programs themselves. Its
// output goes to the files given (or nowhere); a child still running at the end is killed.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& stdoutPath = "/dev/null",
                 const std::string& stderrPath = "/dev/null");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status once the program ended within `timeoutMs`; -1 when a signal ended it.
    std::optional<int> waitFor(int timeoutMs);
    // Asks the program to end (SIGTERM, or the signal given) and waits for it.
    std::optional<int> stop(int signal = SIGTERM);
    // Ends the program at once (SIGKILL), as a crash or a power cut would, and waits for it.
    // Returns whether it was still running, so the kill cut it short.
    bool kill();

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end (at most `timeoutMs`) and returns what it printed.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      int timeoutMs = 60000);

// What a program wrote, a line each, without the line feeds.
std::vector<std::string> linesOf(const std::string& text);

} // namespace kivo::test
