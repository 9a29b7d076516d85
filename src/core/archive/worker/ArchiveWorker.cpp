// The only file of the program that calls the archive library. Everything here runs inside
// velmora-archive-worker; the program sees only the replies.
#include "core/archive/worker/ArchiveWorker.h"

#include "core/archive/worker/MpqCrypt.h"

#include <StormLib.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

namespace archiveworker {

namespace {

using workerprotocol::Message;
using workerprotocol::Operation;
using workerprotocol::Status;
namespace fs = std::filesystem;

// The way the game stores scenario entries: sector-compressed with PKWARE DCL, encrypted
// with a key taken from the name alone (flags 0x00010200 in the block table).
constexpr DWORD StoredEntryFlags = MPQ_FILE_COMPRESS | MPQ_FILE_ENCRYPTED;
constexpr DWORD StoredCompression = MPQ_COMPRESSION_PKWARE;

// Reading the way the game does: every archive as format 1, never written to. Entries are
// opened by name, so the listfile is not needed; "(attributes)" is loaded so that its
// checksums can be checked.
constexpr DWORD ReadOnlyOpen = MPQ_OPEN_READ_ONLY | MPQ_OPEN_FORCE_MPQ_V1 | MPQ_OPEN_NO_LISTFILE;
// Listing needs the archive's own listfile.
constexpr DWORD ListingOpen = MPQ_OPEN_READ_ONLY | MPQ_OPEN_FORCE_MPQ_V1;

// Far beyond any map (the game's own limit is a few thousand entries).
constexpr std::uint32_t MaxTableEntries = 0x10000;
// Compression type bytes of sector data that format-1 archives never hold and that the
// library refuses by stopping the process.
constexpr unsigned char LzmaCompression = 0x12;
constexpr std::size_t SpareOutput = 4096;

/// Entry names the program knows even when an archive does not list them. The library
/// must know every name before it can replace or compact.
const char *const KnownNames[] = {
    workerprotocol::ScenarioEntry,
    "(listfile)",
    "(attributes)",
    "(signature)",
};

Message ok(std::vector<std::string> fields = {})
{
    return Message{static_cast<std::uint8_t>(Status::Ok), std::move(fields)};
}

Message failure(Status status, std::string detail)
{
    return Message{static_cast<std::uint8_t>(status), {std::move(detail)}};
}

/// An open archive handle that is closed on every path. close() reports whether the
/// library finished its writes.
class ArchiveHandle
{
public:
    ArchiveHandle() = default;
    ArchiveHandle(const ArchiveHandle &) = delete;
    ArchiveHandle &operator=(const ArchiveHandle &) = delete;
    ~ArchiveHandle()
    {
        if (m_handle)
            SFileCloseArchive(m_handle);
    }
    bool open(const std::string &path, DWORD flags)
    {
        return SFileOpenArchive(path.c_str(), 0, flags, &m_handle);
    }
    bool close()
    {
        HANDLE h = m_handle;
        m_handle = nullptr;
        return h && SFileCloseArchive(h);
    }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

class EntryHandle
{
public:
    EntryHandle() = default;
    EntryHandle(const EntryHandle &) = delete;
    EntryHandle &operator=(const EntryHandle &) = delete;
    ~EntryHandle()
    {
        if (m_handle)
            SFileCloseFile(m_handle);
    }
    bool open(HANDLE archive, const std::string &name)
    {
        return SFileOpenFileEx(archive, name.c_str(), SFILE_OPEN_FROM_MPQ, &m_handle);
    }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

/// A file descriptor for positioned reads, closed on every path.
class RawFile
{
public:
    explicit RawFile(const std::string &path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~RawFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RawFile(const RawFile &) = delete;
    RawFile &operator=(const RawFile &) = delete;
    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }

    /// Exactly `size` bytes at `at`, or false.
    bool read(std::uint64_t at, std::size_t size, std::string *out) const
    {
        out->assign(size, '\0');
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::pread(m_fd, out->data() + done, size - done, off_t(at + done));
            if (got <= 0)
                return false;
            done += std::size_t(got);
        }
        return true;
    }

private:
    int m_fd;
};

/// A part of a file to look at: mapped through the page cache (a map archive runs to
/// megabytes, the game's own to hundreds, and copying them out costs more than looking at
/// them), or read into memory where the file system cannot map it.
class FileWindow
{
public:
    FileWindow(const RawFile &file, std::uint64_t at, std::size_t length)
    {
        void *mapped = length > 0
            ? ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, file.descriptor(), off_t(at))
            : MAP_FAILED;
        if (mapped != MAP_FAILED) {
            m_mapped = mapped;
            m_bytes = std::string_view(static_cast<const char *>(mapped), length);
            m_open = true;
        } else if (file.read(at, length, &m_copy)) {
            m_bytes = m_copy;
            m_open = true;
        }
    }
    ~FileWindow()
    {
        if (m_mapped)
            ::munmap(m_mapped, m_bytes.size());
    }
    FileWindow(const FileWindow &) = delete;
    FileWindow &operator=(const FileWindow &) = delete;
    bool isOpen() const { return m_open; }
    std::string_view bytes() const { return m_bytes; }

private:
    void *m_mapped = nullptr;
    std::string m_copy;
    std::string_view m_bytes;
    bool m_open = false;
};

template <typename T>
bool fileInfo(HANDLE handle, SFileInfoClass what, T *value)
{
    DWORD needed = 0;
    return SFileGetFileInfo(handle, what, value, sizeof(T), &needed);
}

std::uint32_t le32(const std::string &bytes, std::size_t at)
{
    return mpqcrypt::load32(reinterpret_cast<const unsigned char *>(bytes.data()) + at);
}

/// True when an archive header at `at` holds a value known to crash the library: a sector
/// size that wraps to zero or asks for gigabytes, or tables it would walk in full.
bool headerIsUnsafe(const RawFile &file, std::uint64_t at)
{
    std::string header;
    if (!file.read(at, 32, &header))
        return false;
    const unsigned sectorShift = static_cast<unsigned char>(header[14])
        | static_cast<unsigned char>(header[15]) << 8;
    return sectorShift > 15 || le32(header, 24) > MaxTableEntries
        || le32(header, 28) > MaxTableEntries;
}

/// Refuses what the library should never see: missing files, folders, empty files, and
/// headers that would make it divide by zero. Every place the library looks for a header
/// (each 512-byte boundary, and where a user-data block points) is checked.
Status checkArchiveFile(const std::string &path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status))
        return Status::MissingArchive;
    if (!fs::is_regular_file(status) || fs::file_size(path, error) == 0 || error)
        return Status::NotAnArchive;
    const RawFile file(path);
    if (!file.isOpen())
        return Status::MissingArchive;
    const std::uint64_t size = fs::file_size(path, error);
    // A window at a time, so that the largest archive needs little memory.
    constexpr std::uint64_t WindowSize = 64u << 20;
    for (std::uint64_t start = 0; start + 16 <= size; start += WindowSize) {
        const FileWindow window(file, start, std::size_t(std::min(WindowSize, size - start)));
        if (!window.isOpen())
            return Status::MissingArchive;
        const std::string_view bytes = window.bytes();
        for (std::size_t at = 0; at + 16 <= bytes.size(); at += 512) {
            if (bytes.compare(at, 3, "MPQ") != 0)
                continue;
            const auto pointer = reinterpret_cast<const unsigned char *>(bytes.data()) + at + 8;
            if ((bytes[at + 3] == 0x1A && headerIsUnsafe(file, start + at))
                || (bytes[at + 3] == 0x1B && headerIsUnsafe(file, start + at + mpqcrypt::load32(pointer))))
                return Status::NotAnArchive;
        }
    }
    return Status::Ok;
}

Status openArchive(ArchiveHandle &archive, const std::string &path, DWORD flags)
{
    if (const Status checked = checkArchiveFile(path); checked != Status::Ok)
        return checked;
    return archive.open(path, flags) ? Status::Ok : Status::NotAnArchive;
}

/// What the tables say about an opened entry, for reading its raw bytes.
struct RawEntry
{
    DWORD flags = 0;
    DWORD size = 0;
    DWORD compressedSize = 0;
    DWORD key = 0;
    DWORD sectorSize = 0;
    std::uint64_t position = 0;
};

bool describe(HANDLE archive, HANDLE entry, RawEntry *raw)
{
    ULONGLONG headerAt = 0, offset = 0;
    if (!fileInfo(entry, SFileInfoFlags, &raw->flags)
        || !fileInfo(entry, SFileInfoFileSize, &raw->size)
        || !fileInfo(entry, SFileInfoCompressedSize, &raw->compressedSize)
        || !fileInfo(entry, SFileInfoEncryptionKey, &raw->key)
        || !fileInfo(archive, SFileMpqSectorSize, &raw->sectorSize)
        || !fileInfo(archive, SFileMpqHeaderOffset, &headerAt)
        || !fileInfo(entry, SFileInfoByteOffset, &offset) || raw->sectorSize == 0)
        return false;
    // Format-1 positions are 32 bits wide and wrap, as the library computes them.
    raw->position = std::uint32_t(headerAt + offset);
    return true;
}

/// Decompresses one unit of `expected` bytes exactly, or fails: a short result, a
/// compression the format does not allow, or a failing decompressor is damage. (The
/// library itself fills short sectors with zeros and calls that success.)
bool decompressUnit(std::string &in, DWORD flags, std::size_t expected, std::string *out)
{
    if (in.size() >= expected) {
        if (in.size() > expected)
            return false;
        out->append(in);
        return true;
    }
    if (in.empty() || ((flags & MPQ_FILE_COMPRESS) && static_cast<unsigned char>(in[0]) == LzmaCompression))
        return false;
    // Decoded in place at the output's end, with room beyond the expected size, so that a
    // stream which runs on is seen to.
    const std::size_t at = out->size();
    out->resize(at + expected + SpareOutput);
    int produced = int(expected + SpareOutput);
    const int done = (flags & MPQ_FILE_COMPRESS)
        ? SCompDecompress(out->data() + at, &produced, in.data(), int(in.size()))
        : SCompExplode(out->data() + at, &produced, in.data(), int(in.size()));
    out->resize(at + expected);
    return done && produced == int(expected);
}

void decrypt(std::string &bytes, DWORD key)
{
    mpqcrypt::crypt(reinterpret_cast<unsigned char *>(bytes.data()), bytes.size(), key);
}

/// Rebuilds the entry from its raw bytes, sector by sector, refusing any sector that does
/// not decode to exactly its size.
bool decodeRaw(const RawEntry &entry, const std::string &raw, std::string *out)
{
    const bool encrypted = entry.flags & MPQ_FILE_ENCRYPTED;
    const bool compressed = entry.flags & MPQ_FILE_COMPRESS_MASK;
    if ((entry.flags & MPQ_FILE_SINGLE_UNIT) || (!compressed && entry.size == 0)) {
        std::string unit = compressed ? raw : raw.substr(0, entry.size);
        if (encrypted)
            decrypt(unit, entry.key);
        return compressed ? decompressUnit(unit, entry.flags, entry.size, out)
                          : (out->append(unit), unit.size() == entry.size);
    }
    const std::size_t sectors = (std::size_t(entry.size) + entry.sectorSize - 1) / entry.sectorSize;
    std::vector<std::uint32_t> bounds(sectors + 1);
    if (!compressed) {
        for (std::size_t i = 0; i <= sectors; ++i)
            bounds[i] = std::uint32_t(std::min<std::uint64_t>(std::uint64_t(i) * entry.sectorSize, entry.size));
    } else {
        if (raw.size() < bounds.size() * 4)
            return false;
        std::string table = raw.substr(0, bounds.size() * 4);
        if (encrypted)
            decrypt(table, entry.key - 1);
        for (std::size_t i = 0; i <= sectors; ++i)
            bounds[i] = le32(table, i * 4);
        if (bounds[0] < table.size())
            return false;
    }
    std::string sector;
    for (std::size_t i = 0; i < sectors; ++i) {
        if (bounds[i + 1] < bounds[i] || bounds[i + 1] > raw.size())
            return false;
        sector.assign(raw, bounds[i], bounds[i + 1] - bounds[i]);
        if (encrypted)
            decrypt(sector, entry.key + DWORD(i));
        const std::size_t expected = std::min<std::size_t>(entry.sectorSize, entry.size - i * entry.sectorSize);
        if (!compressed ? (out->append(sector), sector.size() != expected)
                        : !decompressUnit(sector, entry.flags, expected, out))
            return false;
    }
    return out->size() == entry.size;
}

/// Whether the entry carries checksums for the library to check: a CRC32 or MD5 of the
/// whole entry in "(attributes)", or one per sector. Without any, the library's check would
/// only read the entry once more, the way it was just read; an entry whose record cannot be
/// had is checked.
bool hasChecksums(HANDLE entry, const RawEntry &raw)
{
    if (raw.flags & MPQ_FILE_SECTOR_CRC)
        return true;
    // The record comes with the entry's name after it: asked for its size first.
    DWORD needed = 0;
    SFileGetFileInfo(entry, SFileInfoFileEntry, nullptr, 0, &needed);
    if (needed < sizeof(TFileEntry) || needed > sizeof(TFileEntry) + 0x10000)
        return true;
    std::vector<unsigned char> bytes(needed);
    TFileEntry record;
    if (!SFileGetFileInfo(entry, SFileInfoFileEntry, bytes.data(), needed, &needed))
        return true;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record.dwCrc32 != 0
        || std::any_of(std::begin(record.md5), std::end(record.md5), [](BYTE b) { return b != 0; });
}

/// Reads an entry and checks it: every sector must decode to exactly its size, and
/// checksums in "(attributes)" or in the sectors must hold. The entry is decoded here, from
/// its raw bytes, rather than read through the library: the library's read runs the same
/// decompressors on the same sectors, but calls a sector that comes out short a success.
Status readChecked(HANDLE archive, const std::string &archivePath, const std::string &name,
                   std::uint64_t maxSize, std::string *data)
{
    EntryHandle entry;
    if (!entry.open(archive, name))
        return GetLastError() == ERROR_FILE_NOT_FOUND ? Status::NoEntry : Status::Damaged;
    RawEntry raw;
    if (!describe(archive, entry.get(), &raw))
        return Status::Damaged;
    if (raw.size > maxSize)
        return Status::TooLarge;
    // A compressed entry never needs much more room than its data plus the sector table.
    if (raw.compressedSize > std::uint64_t(raw.size) + raw.size / 8 + 4096 + 4 * (raw.size / raw.sectorSize + 2))
        return Status::Damaged;

    const RawFile file(archivePath);
    std::string stored, decoded;
    decoded.reserve(std::size_t(raw.size) + SpareOutput);
    if (!file.read(raw.position, raw.compressedSize, &stored) || !decodeRaw(raw, stored, &decoded))
        return Status::Damaged;
    if (hasChecksums(entry.get(), raw)
        && (SFileVerifyFile(archive, name.c_str(),
                            SFILE_VERIFY_SECTOR_CRC | SFILE_VERIFY_FILE_CRC | SFILE_VERIFY_FILE_MD5)
            & VERIFY_FILE_ERROR_MASK))
        return Status::Damaged;
    *data = std::move(decoded);
    return Status::Ok;
}

Message readEntry(const std::vector<std::string> &fields)
{
    const auto maxSize = workerprotocol::readNumber(fields[2]);
    if (!maxSize)
        return failure(Status::BadRequest, "bad size limit");
    ArchiveHandle archive;
    if (const Status opened = openArchive(archive, fields[0], ReadOnlyOpen); opened != Status::Ok)
        return failure(opened, "archive not opened");
    std::string data;
    if (const Status read = readChecked(archive.get(), fields[0], fields[1], *maxSize, &data);
        read != Status::Ok)
        return failure(read, "entry not read");
    // Moved, not copied: a braced list would copy the entry.
    std::vector<std::string> reply;
    reply.push_back(std::move(data));
    return ok(std::move(reply));
}

/// Reads an entry through the library alone, for the listfile (no checks needed: the
/// names are only candidates, each confirmed by the tables).
bool readPlain(HANDLE archive, const char *name, std::string *data)
{
    EntryHandle entry;
    if (!entry.open(archive, name))
        return false;
    DWORD high = 0;
    const DWORD size = SFileGetFileSize(entry.get(), &high);
    if (size == SFILE_INVALID_SIZE || high != 0 || size > workerprotocol::MaxEntrySize)
        return false;
    data->assign(size, '\0');
    DWORD got = 0;
    return size == 0 || (SFileReadFile(entry.get(), data->data(), size, &got, nullptr) && got == size);
}

std::vector<std::string> listfileNames(const std::string &listfile)
{
    std::vector<std::string> names;
    std::string current;
    for (const char c : listfile + '\n') {
        if (c == '\n' || c == '\r' || c == ';') {
            const auto first = current.find_first_not_of(" \t");
            if (first != std::string::npos)
                names.push_back(current.substr(first, current.find_last_not_of(" \t") + 1 - first));
            current.clear();
        } else {
            current += c;
        }
    }
    return names;
}

Message listEntries(const std::vector<std::string> &fields)
{
    ArchiveHandle archive;
    if (const Status opened = openArchive(archive, fields[0], ListingOpen); opened != Status::Ok)
        return failure(opened, "archive not opened");
    DWORD count = 0;
    if (!fileInfo(archive.get(), SFileMpqNumberOfFiles, &count))
        return failure(Status::NotAnArchive, "no file count");

    // Candidates: what the archive's own listfile says, then the names the program knows.
    std::string listfile;
    std::vector<std::string> candidates;
    if (readPlain(archive.get(), "(listfile)", &listfile))
        candidates = listfileNames(listfile);
    candidates.insert(candidates.end(), std::begin(KnownNames), std::end(KnownNames));

    std::string found;
    std::set<std::string> seen;
    for (const std::string &name : candidates) {
        std::string key = name; // entry names ignore case
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (!seen.insert(key).second || !SFileHasFile(archive.get(), name.c_str()))
            continue;
        found += (found.empty() ? "" : "\n") + name;
    }
    return ok({workerprotocol::number32(count), found});
}

bool writeFile(const std::string &path, const std::string &bytes)
{
    std::FILE *file = std::fopen(path.c_str(), "wbx");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

/// Teaches the library the names the program knows plus `entryName`. It needs an entry's
/// name before it replaces the entry (it stops the process otherwise) and before it moves
/// the entry while compacting. A listfile teaches every table slot of a name, including
/// slots whose entries are too damaged to open.
bool learnNames(HANDLE archive, const std::string &entryName, const std::string &listPath)
{
    std::string list;
    for (const char *known : KnownNames)
        list += std::string(known) + "\r\n";
    list += entryName + "\r\n";
    const bool learned = writeFile(listPath, list) && SFileAddListFile(archive, listPath.c_str()) == ERROR_SUCCESS;
    std::remove(listPath.c_str()); // read at once; the name is free for the next time
    return learned;
}

/// Writes one entry the way the game reads it, replacing an entry of the same name and
/// locale. The file time is fixed so the same inputs always give the same archive.
bool writeEntry(HANDLE archive, const std::string &name, const std::string &data, LCID locale)
{
    HANDLE file = nullptr;
    if (!SFileCreateFile(archive, name.c_str(), 0, DWORD(data.size()), locale,
                         StoredEntryFlags | MPQ_FILE_REPLACEEXISTING, &file))
        return false;
    bool written = true;
    if (!data.empty())
        written = SFileWriteFile(file, data.data(), DWORD(data.size()), StoredCompression);
    // Finishing also frees the handle, so it runs even after a failed write.
    const bool finished = SFileFinishFile(file);
    return written && finished;
}

/// The locale of the entry being replaced; a new entry is language-neutral. An entry that
/// is listed but cannot be opened means damaged tables: not written into.
bool replacedLocale(HANDLE archive, const std::string &name, LCID *locale)
{
    EntryHandle existing;
    if (!existing.open(archive, name))
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    DWORD value = 0;
    if (!fileInfo(existing.get(), SFileInfoLocale, &value))
        return false;
    *locale = value;
    return true;
}

/// The bytes between the header and the tables of a closed format-1 archive that no entry
/// uses: what replaced entries left behind. Nothing when the tables do not read plainly.
std::optional<std::uint64_t> unusedBytes(const std::string &path, std::uint64_t headerAt)
{
    const RawFile file(path);
    std::string header, blocks;
    if (!file.isOpen() || !file.read(headerAt, 32, &header) || header.compare(0, 4, "MPQ\x1A") != 0
        || (static_cast<unsigned char>(header[12]) | static_cast<unsigned char>(header[13])) != 0)
        return std::nullopt;
    const std::uint32_t headerSize = le32(header, 4), hashAt = le32(header, 16),
                        blocksAt = le32(header, 20), blockCount = le32(header, 28);
    const std::uint32_t dataEnd = std::min(hashAt, blocksAt);
    if (blockCount > MaxTableEntries || dataEnd < headerSize
        || !file.read(headerAt + blocksAt, std::size_t(blockCount) * 16, &blocks))
        return std::nullopt;
    mpqcrypt::crypt(reinterpret_cast<unsigned char *>(blocks.data()), blocks.size(),
                    mpqcrypt::hashName("(block table)", mpqcrypt::HashKind::FileKey));
    std::uint64_t used = 0;
    for (std::size_t at = 0; at < blocks.size(); at += 16)
        if (le32(blocks, at + 12) & MPQ_FILE_EXISTS)
            used += le32(blocks, at + 4);
    const std::uint64_t room = dataEnd - headerSize;
    return room > used ? room - used : 0;
}

/// Drops what replaced entries left in the closed archive at `path` once it is more than an
/// eighth of the archive: rewriting the whole archive costs as much as copying it, so a large
/// archive (a map with sounds) is not rewritten for the few kilobytes of each save, and no
/// archive carries more than that eighth for long. Compacting needs every entry's name;
/// when an archive holds entries nobody can name, the update stands and the archive is
/// merely larger.
Status compactIfWorthIt(const std::string &path, const std::string &name, std::uint64_t headerAt)
{
    std::error_code error;
    const std::uint64_t size = fs::file_size(path, error);
    const std::optional<std::uint64_t> unused = unusedBytes(path, headerAt);
    if (error || (unused && *unused * 8 <= size))
        return Status::Ok;
    ArchiveHandle archive;
    if (!archive.open(path, 0))
        return Status::CannotWrite;
    if (!learnNames(archive.get(), name, path + ".lst"))
        return Status::CannotWrite;
    SFileCompactArchive(archive.get(), nullptr, false);
    return archive.close() ? Status::Ok : Status::CannotWrite;
}

/// Stores into the copy at `scratch`, which the library may change at will.
Status storeInto(const std::string &scratch, const std::string &name, const std::string &data)
{
    ArchiveHandle archive;
    if (!archive.open(scratch, 0)) {
        // Some maps are readable only the way the game reads them (format 1, tables taken
        // as they are); those cannot be written safely.
        ArchiveHandle readable;
        return readable.open(scratch, ReadOnlyOpen) ? Status::Protected : Status::NotAnArchive;
    }
    DWORD archiveFlags = 0;
    if (!fileInfo(archive.get(), SFileMpqFlags, &archiveFlags)
        || (archiveFlags & (MPQ_FLAG_READ_ONLY | MPQ_FLAG_MALFORMED)))
        return Status::Protected;
    if (!learnNames(archive.get(), name, scratch + ".lst"))
        return Status::CannotWrite;
    LCID locale = 0;
    if (!replacedLocale(archive.get(), name, &locale))
        return Status::NotAnArchive;
    if (!writeEntry(archive.get(), name, data, locale))
        return Status::CannotWrite;
    ULONGLONG headerAt = 0;
    if (!fileInfo(archive.get(), SFileMpqHeaderOffset, &headerAt))
        return Status::NotAnArchive;
    if (!archive.close())
        return Status::CannotWrite;
    return compactIfWorthIt(scratch, name, headerAt);
}

/// The number of entries in the tables of an archive opened for reading (checked first).
Status entryCount(const std::string &path, DWORD *count)
{
    ArchiveHandle archive;
    if (const Status opened = openArchive(archive, path, ReadOnlyOpen); opened != Status::Ok)
        return opened;
    return fileInfo(archive.get(), SFileMpqNumberOfFiles, count) ? Status::Ok : Status::NotAnArchive;
}

Message storeEntry(const std::vector<std::string> &fields)
{
    const std::string &archivePath = fields[0], &name = fields[1], &data = fields[2], &scratch = fields[3];
    if (data.size() > workerprotocol::MaxEntrySize)
        return failure(Status::TooLarge, "entry too large");
    DWORD countBefore = 0;
    if (const Status counted = entryCount(archivePath, &countBefore); counted != Status::Ok)
        return failure(counted, "archive refused");
    // The library writes a copy; the archive itself is replaced only once the copy is
    // complete and holds what was stored. The copy is made by the system, and refuses a
    // name that is taken.
    std::error_code copyError;
    if (!fs::copy_file(archivePath, scratch, fs::copy_options::none, copyError))
        return fs::is_regular_file(archivePath, copyError) ? failure(Status::CannotWrite, "copy not written")
                                                           : failure(Status::MissingArchive, "archive unreadable");
    if (const Status stored = storeInto(scratch, name, data); stored != Status::Ok)
        return failure(stored, "not stored");

    ArchiveHandle check;
    std::string back;
    DWORD countAfter = 0;
    if (openArchive(check, scratch, ReadOnlyOpen) != Status::Ok
        || readChecked(check.get(), scratch, name, workerprotocol::MaxEntrySize, &back) != Status::Ok || back != data
        || !fileInfo(check.get(), SFileMpqNumberOfFiles, &countAfter))
        return failure(Status::ReadBack, "read-back differs");
    check.close();
    // What the program copies later is compared with this, so it copies what was checked.
    const RawFile storedFile(scratch);
    std::error_code sizeError;
    const std::uintmax_t storedSize = fs::file_size(scratch, sizeError);
    const FileWindow stored(storedFile, 0, sizeError ? 0 : std::size_t(storedSize));
    if (!storedFile.isOpen() || sizeError || !stored.isOpen())
        return failure(Status::CannotWrite, "copy unreadable");

    std::error_code error;
    fs::rename(scratch, archivePath, error);
    if (error)
        return failure(Status::CannotWrite, "rename failed");
    return ok({workerprotocol::number32(countBefore), workerprotocol::number32(countAfter),
               workerprotocol::number64(stored.bytes().size()),
               workerprotocol::number64(workerprotocol::fingerprint(stored.bytes()))});
}

} // namespace

Message run(const Message &request)
{
    const auto &f = request.fields;
    switch (Operation(request.code)) {
    case Operation::Read:
        if (f.size() == 3)
            return readEntry(f);
        break;
    case Operation::List:
        if (f.size() == 1)
            return listEntries(f);
        break;
    case Operation::Store:
        if (f.size() == 4 && !f[3].empty())
            return storeEntry(f);
        break;
    }
    return failure(Status::BadRequest, "unknown operation or wrong field count");
}

} // namespace archiveworker
