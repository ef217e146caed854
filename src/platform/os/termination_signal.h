#pragma once
// For a server that must finish its requests when asked to stop: SIGTERM and SIGINT
// are held back from every thread and waited for in one.

namespace platform {

// Call first in main, before any thread starts: the threads started later inherit it.
void HoldTerminationSignals();

// Blocks until SIGTERM or SIGINT arrives; returns the signal's number.
int WaitForTerminationSignal();

}  // namespace platform
