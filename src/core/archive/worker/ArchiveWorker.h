#pragma once

#include "core/archive/worker/WorkerProtocol.h"

namespace archiveworker {

/// Carries out one request against the archive library and gives the reply. Never throws
/// for bad archives; the library itself may still end the process, which is why this runs
/// in its own process.
[[nodiscard]] workerprotocol::Message run(const workerprotocol::Message &request);

} // namespace archiveworker
