// velmora-archive-worker: answers requests from standard input on standard output, one at
// a time (see WorkerProtocol.h). Links only the archive library and the C++
// runtime, so it starts in about a millisecond.
#include "core/archive/worker/ArchiveWorker.h"
#include "core/common/ShortLivedHeap.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace {

using workerprotocol::Message;
using workerprotocol::Status;

void limitMemory(int argc, char **argv)
{
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves terabytes of address space up front; a limit breaks it.
    (void)argc;
    (void)argv;
#else
    // A hostile table asking for more ends in OutOfMemory, not a swapping machine.
    unsigned long long mib = workerprotocol::DefaultMemoryLimitMiB;
    if (argc == 3 && std::strcmp(argv[1], "--memory-limit-mib") == 0)
        mib = std::strtoull(argv[2], nullptr, 10);
    const rlimit limit{mib << 20, mib << 20};
    setrlimit(RLIMIT_AS, &limit);
#endif
}

/// Reads the next request off standard input into `request`. False at the end of input;
/// a stream that does not hold whole requests gives a BadRequest message instead.
bool nextRequest(std::string *buffer, std::optional<Message> *request)
{
    char chunk[65536];
    for (;;) {
        const auto size = workerprotocol::messageSize(true, *buffer);
        if (!size) {
            *request = std::nullopt;
            return true;
        }
        if (*size > 0 && buffer->size() >= *size) {
            *request = workerprotocol::decode(true, std::string_view(*buffer).substr(0, *size));
            buffer->erase(0, *size);
            return true;
        }
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            // The end of input between requests is the program saying goodbye.
            *request = std::nullopt;
            return !buffer->empty();
        }
        buffer->append(chunk, std::size_t(got));
    }
}

bool writeReply(const Message &reply)
{
    const std::string out = workerprotocol::encode(false, reply);
    for (std::size_t done = 0; done < out.size();) {
        const ssize_t put = ::write(STDOUT_FILENO, out.data() + done, out.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += std::size_t(put);
    }
    return true;
}

Message failure(Status status, const char *detail)
{
    return Message{static_cast<std::uint8_t>(status), {detail}};
}

} // namespace

int main(int argc, char **argv)
{
    limitMemory(argc, argv);
    shortlivedheap::keepFreedMemoryForReuse();
    // The program may end (and close the pipe) at any moment; that must not kill us mid-write.
    std::signal(SIGPIPE, SIG_IGN);
    std::string buffer;
    for (;;) {
        Message reply;
        try {
            std::optional<Message> request;
            if (!nextRequest(&buffer, &request))
                return 0;
            reply = request ? archiveworker::run(*request)
                            : failure(Status::BadRequest, "malformed request");
        } catch (const std::bad_alloc &) {
            reply = failure(Status::OutOfMemory, "memory limit reached");
        }
        if (!writeReply(reply))
            return 1;
        if (reply.code != static_cast<std::uint8_t>(Status::Ok))
            return 0;
    }
}
