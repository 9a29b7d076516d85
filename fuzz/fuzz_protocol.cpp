// Fuzzes the archive worker's message parser: whatever parses encodes back to exactly the
// same bytes, and the stream framing agrees with the parser.
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
        // Taking a message off a stream agrees with parsing it whole: a whole message has
        // its own size, and a size that is known and has arrived is a whole message.
        const auto size = workerprotocol::messageSize(request, bytes);
        if (message && size != bytes.size())
            __builtin_trap();
        if (size && *size > 0 && *size <= bytes.size() && !workerprotocol::decode(request, bytes.substr(0, *size)))
            __builtin_trap();
    }
    return 0;
}
