#pragma once

namespace kivo {

// Ends the process after the panel has shut down in order (lost link, user abort).
// The front end closes its main window and exits with the code given; it never returns.
class ProcessExit {
public:
    virtual ~ProcessExit() = default;
    [[noreturn]] virtual void endProcess(int exitCode) = 0;
};

} // namespace kivo
