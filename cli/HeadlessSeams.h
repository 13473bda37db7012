#pragma once

#include "core/base/KeyState.h"
#include "core/base/ProcessExit.h"

#include <cstdlib>

namespace kivo::cli {

// The seams of a panel without a keyboard or a window, shared by kivo-cli and the benchmarks.

// Nobody holds Alt and Shift at a program run from a script.
class NoKeysHeld final : public KeyState {
public:
    bool shiftHeld() const override { return false; }
    bool altHeld() const override { return false; }
};

// The panel has shut down in order (a lost link); for a script the run failed with `status`.
class ExitWithStatus final : public ProcessExit {
public:
    explicit ExitWithStatus(int status) : status_(status) {}
    [[noreturn]] void endProcess(int) override { std::exit(status_); }

private:
    int status_;
};

} // namespace kivo::cli
