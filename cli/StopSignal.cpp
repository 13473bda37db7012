#include "cli/StopSignal.h"

#include <csignal>
#include <cstdlib>

namespace kivo::cli {
namespace {

// A handler may do no more than set a flag of this type.
volatile std::sig_atomic_t received = 0;

void rememberSignal(int signal) { received = signal; }

} // namespace

void catchStopSignals()
{
    struct sigaction action {};
    action.sa_handler = rememberSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

int stopSignal() { return received; }

void ExitAfterShutdown::endProcess(int)
{
    std::exit(stopSignal() != 0 ? 128 + stopSignal() : status_);
}

} // namespace kivo::cli
