#include "cli/StopSignal.h"

#include <csignal>

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
}

int stopSignal() { return received; }

} // namespace kivo::cli
