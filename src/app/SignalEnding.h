#pragma once

#include <functional>

/// SIGINT and SIGTERM end the windows as Exit does, without asking: the working copy is
/// removed, and the lock goes with the program's objects as main() returns.
namespace signalending {

/// Blocks SIGINT and SIGTERM in this thread and every thread started later. Call first in
/// main(), before any other thread exists.
void blockEndSignals();

/// Starts a thread that waits for SIGINT or SIGTERM and then runs `end` (given 128 + the
/// signal) on the main thread's event loop.
void endOnSignals(std::function<void(int status)> end);

} // namespace signalending
