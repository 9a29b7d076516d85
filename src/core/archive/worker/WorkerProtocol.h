#pragma once

// The conversation between the program and velmora-archive-worker, the small process that
// alone calls the archive library. One worker serves a series of operations: the program
// writes one request to the worker's standard input and waits for its one reply on the
// worker's standard output before it sends the next. The worker ends at the end of its
// input, and after any reply that is not Ok (a hostile archive may have left the library in
// any state), so the next request after a failure meets a fresh process. Anything else (no
// reply, a malformed or doubled reply, a signal, the time limit) means the library could
// not cope with the archive; the program then ends that worker.
//
// Both messages are binary, little-endian:
//
//   request = "VMAQ" version:u8(=1) operation:u8 count:u8 field*count
//   reply   = "VMAR" version:u8(=1) status:u8   count:u8 field*count
//   field   = length:u32 bytes[length]
//
// Operations and their fields (paths are the file system's bytes, entry names Latin-1):
//
//   'R' read    archive, entry, maxSize (8 bytes, u64)   -> ok: entry bytes
//   'L' list    archive                                  -> ok: entry count (4 bytes, u32),
//                                                               names joined by '\n'
//   'S' store   archive, entry, data, scratch            -> ok: entry counts before and after
//                                                               (4 bytes each, u32), size and
//                                                               fingerprint of the archive as
//                                                               stored (8 bytes each, u64)
//
// A store writes the archive's copy at `scratch` (a free path in the archive's folder that
// the program chose and removes afterwards, whatever happened; the worker creates it and
// refuses a path that is taken), checks that the entry reads back as `data`, and renames the
// copy over the archive. A failed reply carries one field:
// an English detail for logs; the program words the user's message from the status.
//
// The parser below is the only code that reads these bytes; it is fuzzed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace workerprotocol {

inline constexpr std::uint8_t Version = 1;
/// No request or reply is larger: the biggest entry plus its names and paths.
inline constexpr std::uint64_t MaxMessageSize = 160ull * 1024 * 1024;
inline constexpr std::size_t MaxFields = 8;
/// The largest entry read or stored: no scenario entry comes near it, and a damaged table
/// can claim any size.
inline constexpr std::uint64_t MaxEntrySize = 64ull * 1024 * 1024;
/// The worker's address-space limit unless it is started with another
/// ("--memory-limit-mib N"): room for the largest entry, the library's buffers and the copy
/// of a map being stored.
inline constexpr unsigned DefaultMemoryLimitMiB = 1024;
/// The scenario entry of a map archive.
inline constexpr char ScenarioEntry[] = "staredit\\scenario.chk";

enum class Operation : std::uint8_t { Read = 'R', List = 'L', Store = 'S' };

enum class Status : std::uint8_t {
    Ok = 0,
    MissingArchive = 1, ///< no file at the archive path
    NotAnArchive = 2,   ///< not an archive, or tables the library refuses
    NoEntry = 3,        ///< the archive has no such entry
    Damaged = 4,        ///< the entry's data fails its checks
    TooLarge = 5,       ///< the entry is larger than the caller allows
    Protected = 6,      ///< readable the way the game reads it, but not safely writable
    CannotWrite = 7,    ///< the archive's folder cannot take the copy (full disk, permissions)
    ReadBack = 8,       ///< the stored entry did not read back as stored
    BadRequest = 9,     ///< the request itself is malformed
    OutOfMemory = 10,   ///< the worker's memory limit was reached
};

struct Message
{
    std::uint8_t code = 0; ///< the operation of a request, the status of a reply
    std::vector<std::string> fields;
};

/// Serialises a request ("VMAQ") or reply ("VMAR").
[[nodiscard]] std::string encode(bool request, const Message &message);
/// Parses a whole request or reply; nullopt when the bytes are not exactly one message.
[[nodiscard]] std::optional<Message> decode(bool request, std::string_view bytes);
/// The size of the message that `bytes` begin with: 0 while more bytes are needed to tell,
/// nullopt when they cannot begin one (wrong magic or version, too many fields, too large).
/// Lets either side take one message off a stream.
[[nodiscard]] std::optional<std::size_t> messageSize(bool request, std::string_view bytes);

/// A 64-bit hash of `bytes`, eight at a time: how a store tells which archive bytes it
/// checked. Any one changed byte, and any change of length, changes it.
[[nodiscard]] std::uint64_t fingerprint(std::string_view bytes);

/// The same fingerprint, taken piece by piece (a file as it is copied): the pieces of
/// `length` bytes in all, in order, give fingerprint() of the whole.
class Fingerprint
{
public:
    explicit Fingerprint(std::uint64_t length);
    void add(std::string_view bytes);
    [[nodiscard]] std::uint64_t value() const;

private:
    static constexpr std::size_t Block = 32; ///< a word for each of four running values
    void addBlock(const char *block);

    std::array<std::uint64_t, 4> m_lanes{};
    std::array<char, Block> m_pending{};
    std::size_t m_pendingSize = 0;
};

/// A u32 / u64 field, little-endian.
[[nodiscard]] std::string number32(std::uint32_t value);
[[nodiscard]] std::string number64(std::uint64_t value);
[[nodiscard]] std::optional<std::uint64_t> readNumber(std::string_view field);

} // namespace workerprotocol
