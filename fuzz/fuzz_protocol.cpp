// Fuzzes the archive worker's message parser: whatever parses encodes back to exactly the
// same bytes.
#include "core/archive/worker/WorkerProtocol.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    for (const bool request : {true, false}) {
        const auto message = workerprotocol::decode(request, bytes);
        if (message && workerprotocol::encode(request, *message) != bytes)
            __builtin_trap();
        if (message && !message->fields.empty())
            (void)workerprotocol::readNumber(message->fields.front());
    }
    return 0;
}
