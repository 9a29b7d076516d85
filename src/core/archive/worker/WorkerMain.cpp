// velmora-archive-worker: reads one request from standard input, writes one reply to
// standard output (see WorkerProtocol.h). Links only the archive library and the C++
// runtime, so it starts in about a millisecond.
#include "core/archive/worker/ArchiveWorker.h"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

using workerprotocol::Message;
using workerprotocol::Status;

// Enough for the largest entry the program reads, the library's buffers and the copy of a
// map being stored; a hostile table asking for more ends in OutOfMemory, not a swapping
// machine.
constexpr unsigned long long DefaultMemoryLimitMiB = 1024;

void limitMemory(int argc, char **argv)
{
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves terabytes of address space up front; a limit breaks it.
    (void)argc;
    (void)argv;
#else
    unsigned long long mib = DefaultMemoryLimitMiB;
    if (argc == 3 && std::strcmp(argv[1], "--memory-limit-mib") == 0)
        mib = std::strtoull(argv[2], nullptr, 10);
    const rlimit limit{mib << 20, mib << 20};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

bool readRequest(std::string *bytes)
{
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, stdin);
        bytes->append(buffer, got);
        if (bytes->size() > workerprotocol::MaxMessageSize)
            return false;
        if (got < sizeof buffer)
            return !std::ferror(stdin);
    }
}

Message failure(Status status, const char *detail)
{
    return Message{static_cast<std::uint8_t>(status), {detail}};
}

} // namespace

int main(int argc, char **argv)
{
    limitMemory(argc, argv);
    Message reply;
    try {
        std::string bytes;
        const auto request = readRequest(&bytes) ? workerprotocol::decode(true, bytes)
                                                 : std::nullopt;
        reply = request ? archiveworker::run(*request)
                        : failure(Status::BadRequest, "malformed request");
    } catch (const std::bad_alloc &) {
        reply = failure(Status::OutOfMemory, "memory limit reached");
    }
    const std::string out = workerprotocol::encode(false, reply);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        return 1;
    return 0;
}
