#pragma once

#include "core/base/BusyHandler.h"
#include "core/base/ProcessExit.h"

namespace kivo::cli {

// From now on SIGINT, SIGTERM and SIGHUP only ask the run to stop: a device exchange under way
// stops at its next read, a long run looks between its steps, and the panel then shuts down in
// order.
void catchStopSignals();
// The signal that asked to stop, or 0 while none has.
int stopSignal();

// Reports a stop signal as the abort of the exchange under way.
class AbortOnStopSignal final : public BusyHandler {
public:
    bool abortRequested() const override { return stopSignal() != 0; }
};

// The panel has shut down in order (a lost link, a stop signal): a run a signal stopped ends
// with the shell's status for it, 128 + its number, and any other with `status`.
class ExitAfterShutdown final : public ProcessExit {
public:
    explicit ExitAfterShutdown(int status) : status_(status) {}
    [[noreturn]] void endProcess(int) override;

private:
    int status_;
};

} // namespace kivo::cli
