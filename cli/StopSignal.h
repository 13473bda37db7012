#pragma once

namespace kivo::cli {

// From now on SIGINT and SIGTERM only ask a long run to stop: the run looks between its steps
// and then shuts the panel down in order.
void catchStopSignals();
// The signal that asked to stop, or 0 while none has.
int stopSignal();

} // namespace kivo::cli
