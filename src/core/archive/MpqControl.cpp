#include "core/archive/MpqControl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryFile>
#include <QtEndian>

#include <StormLib.h>

#include <filesystem>
#include <system_error>

namespace {

// The way the game stores scenario entries: sector-compressed with PKWARE DCL, encrypted
// with a key taken from the name alone (flags 0x00010200 in the block table).
constexpr DWORD StoredEntryFlags = MPQ_FILE_COMPRESS | MPQ_FILE_ENCRYPTED;
constexpr DWORD StoredCompression = MPQ_COMPRESSION_PKWARE;

// Reading the way the game does: every archive as format 1, never written to. Entries are
// opened by name, so the listfile is not needed.
constexpr DWORD ReadOnlyOpen = MPQ_OPEN_READ_ONLY | MPQ_OPEN_FORCE_MPQ_V1
    | MPQ_OPEN_NO_LISTFILE | MPQ_OPEN_NO_ATTRIBUTES;
// Listing needs the archive's own listfile.
constexpr DWORD ListingOpen = MPQ_OPEN_READ_ONLY | MPQ_OPEN_FORCE_MPQ_V1;

// A damaged table can claim any size; no scenario entry comes near this.
constexpr DWORD MaxEntrySize = 64u * 1024u * 1024u;

constexpr DWORD DefaultSectorSize = 0x1000;

// Far beyond any map (the game's own limit is a few thousand entries).
constexpr quint32 MaxTableEntries = 0x10000;

/// Entry names the program knows even when an archive does not list them. The library
/// must know every name before it can replace or compact.
const char *const KnownNames[] = {
    "staredit\\scenario.chk",
    "(listfile)",
    "(attributes)",
    "(signature)",
};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray entryBytes(const QString &entryName)
{
    return entryName.toLatin1();
}

QString notAnArchive(const QString &archivePath)
{
    return QObject::tr("\"%1\" is not a map archive, or it is damaged. Choose another map file.")
        .arg(shown(archivePath));
}

Outcome protectedArchive(const QString &archivePath)
{
    return Outcome::failure(FailureKind::ProtectedArchive, QObject::tr("The map archive \"%1\" is protected and cannot be "
                                        "written. Load a map that is not protected.")
                                .arg(shown(archivePath)));
}

QString damagedEntry(const QString &archivePath, const QString &entryName)
{
    return QObject::tr("The entry \"%1\" of the map archive \"%2\" is damaged and cannot be read.")
        .arg(entryName, shown(archivePath));
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

    bool open(const QString &path, DWORD flags)
    {
        return SFileOpenArchive(QFile::encodeName(path).constData(), 0, flags, &m_handle);
    }
    bool create(const QString &path, SFILE_CREATE_MPQ *info)
    {
        return SFileCreateArchive2(QFile::encodeName(path).constData(), info, &m_handle);
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
    bool open(HANDLE archive, const QByteArray &name)
    {
        return SFileOpenFileEx(archive, name.constData(), SFILE_OPEN_FROM_MPQ, &m_handle);
    }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle = nullptr;
};

/// True when an archive header at `at` holds a value known to crash the library: a sector
/// size that wraps to zero or asks for gigabytes.
bool headerIsUnsafe(const uchar *bytes, qint64 size, qint64 at)
{
    if (at < 0 || at + 16 > size)
        return false;
    const quint16 sectorShift = qFromLittleEndian<quint16>(bytes + at + 14);
    if (sectorShift > 15)
        return true;
    // Table lengths in entries; the library walks (and allocates) them in full.
    if (at + 32 > size)
        return false;
    const quint32 hashEntries = qFromLittleEndian<quint32>(bytes + at + 24);
    const quint32 blockEntries = qFromLittleEndian<quint32>(bytes + at + 28);
    return hashEntries > MaxTableEntries || blockEntries > MaxTableEntries;
}

/// Refuses what the library should never see: missing files, folders, empty files, and
/// headers that would make it divide by zero. Every place the library looks for a header
/// (each 512-byte boundary, and where a user-data block points) is checked.
Outcome checkArchiveFile(const QString &archivePath)
{
    const QFileInfo info(archivePath);
    if (!info.exists())
        return Outcome::failure(FailureKind::MapUnreadable, QObject::tr("The map archive \"%1\" does not exist.")
                                    .arg(shown(archivePath)));
    if (!info.isFile() || info.size() == 0)
        return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));

    QFile file(archivePath);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(FailureKind::MapUnreadable, QObject::tr("The map archive \"%1\" cannot be read.")
                                    .arg(shown(archivePath)));
    const qint64 size = file.size();
    const uchar *bytes = file.map(0, size);
    QByteArray copy;
    if (!bytes) {
        copy = file.readAll();
        bytes = reinterpret_cast<const uchar *>(copy.constData());
    }
    for (qint64 at = 0; at + 16 <= size; at += 512) {
        const uchar *p = bytes + at;
        if (p[0] != 'M' || p[1] != 'P' || p[2] != 'Q')
            continue;
        bool unsafe = false;
        if (p[3] == 0x1A)
            unsafe = headerIsUnsafe(bytes, size, at);
        else if (p[3] == 0x1B)
            unsafe = headerIsUnsafe(bytes, size, at + qFromLittleEndian<quint32>(p + 8));
        if (unsafe)
            return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));
    }
    return Outcome::success();
}

Outcome openArchive(ArchiveHandle &archive, const QString &archivePath, DWORD flags)
{
    if (Outcome checked = checkArchiveFile(archivePath); !checked)
        return checked;
    if (!archive.open(archivePath, flags))
        return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));
    return Outcome::success();
}

/// Reads the whole of an opened entry.
Outcome readOpened(HANDLE entry, const QString &archivePath, const QString &entryName,
                   QByteArray *data, qint64 maxSize = MaxEntrySize)
{
    DWORD high = 0;
    const DWORD size = SFileGetFileSize(entry, &high);
    if (size == SFILE_INVALID_SIZE || high != 0 || qint64(size) > maxSize)
        return Outcome::failure(FailureKind::Damaged, damagedEntry(archivePath, entryName));
    QByteArray buffer(qsizetype(size), Qt::Uninitialized);
    DWORD read = 0;
    if (size > 0 && (!SFileReadFile(entry, buffer.data(), size, &read, nullptr) || read != size))
        return Outcome::failure(FailureKind::Damaged, damagedEntry(archivePath, entryName));
    *data = std::move(buffer);
    return Outcome::success();
}

Outcome readFrom(HANDLE archive, const QString &archivePath, const QString &entryName,
                 QByteArray *data, qint64 maxSize = MaxEntrySize)
{
    EntryHandle entry;
    if (!entry.open(archive, entryBytes(entryName)))
        return Outcome::failure(FailureKind::NoScenario, QObject::tr("The map archive \"%1\" has no entry \"%2\".")
                                    .arg(shown(archivePath), entryName));
    return readOpened(entry.get(), archivePath, entryName, data, maxSize);
}

/// Teaches the library the names the program knows plus `entryName`. It needs an entry's
/// name before it replaces the entry (it stops the process otherwise) and before it moves
/// the entry while compacting. A listfile teaches every table slot of a name, including
/// slots whose entries are too damaged to open.
bool learnNames(HANDLE archive, const QString &entryName)
{
    QByteArray list;
    for (const char *known : KnownNames)
        list += QByteArray(known) + "\r\n";
    list += entryBytes(entryName) + "\r\n";
    QTemporaryFile listfile;
    if (!listfile.open() || listfile.write(list) != list.size() || !listfile.flush())
        return false;
    listfile.close();
    return SFileAddListFile(archive, QFile::encodeName(listfile.fileName()).constData())
        == ERROR_SUCCESS;
}

template <typename T>
bool fileInfo(HANDLE handle, SFileInfoClass what, T *value)
{
    DWORD needed = 0;
    return SFileGetFileInfo(handle, what, value, sizeof(T), &needed);
}

/// Writes one entry the way the game reads it, replacing an entry of the same name and
/// locale. The file time is fixed so the same inputs always give the same archive.
Outcome writeEntry(HANDLE archive, const QString &archivePath, const QString &entryName,
                   const QByteArray &data, LCID locale)
{
    const QString failed = QObject::tr("The entry \"%1\" could not be written into the map "
                                       "archive \"%2\". Check that the disk is not full.")
                               .arg(entryName, shown(archivePath));
    HANDLE file = nullptr;
    if (!SFileCreateFile(archive, entryBytes(entryName).constData(), 0, DWORD(data.size()),
                         locale, StoredEntryFlags | MPQ_FILE_REPLACEEXISTING, &file))
        return Outcome::failure(FailureKind::WorkingFolder, failed);
    bool written = true;
    if (!data.isEmpty())
        written = SFileWriteFile(file, data.constData(), DWORD(data.size()), StoredCompression);
    // Finishing also frees the handle, so it runs even after a failed write.
    const bool finished = SFileFinishFile(file);
    if (!written || !finished)
        return Outcome::failure(FailureKind::WorkingFolder, failed);
    return Outcome::success();
}

/// A scratch file beside `target` that the library may write; removed unless kept.
class Scratch
{
public:
    explicit Scratch(const QString &target)
        : m_file(QFileInfo(target).absolutePath() + QStringLiteral("/.velmora-XXXXXX.tmp"))
    {
    }
    ~Scratch()
    {
        if (!m_path.isEmpty()) {
            QFile::remove(m_path);
            QFile::remove(m_path + QStringLiteral(".tmp"));
        }
    }

    /// Reserves a name; with `content` the file holds it, without it the file is removed
    /// again so that the library can create it.
    bool prepare(const QByteArray *content)
    {
        m_file.setAutoRemove(false);
        if (!m_file.open())
            return false;
        m_path = m_file.fileName();
        bool ok = true;
        if (content)
            ok = m_file.write(*content) == content->size() && m_file.flush();
        m_file.close();
        if (!content)
            ok = QFile::remove(m_path) && ok;
        return ok;
    }

    QString path() const { return m_path; }

    /// Renames the scratch file over `target` (replacing it in one step).
    bool replace(const QString &target)
    {
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(m_path.toStdU16String()),
                                std::filesystem::path(target.toStdU16String()), error);
        if (error)
            return false;
        m_path.clear();
        return true;
    }

private:
    QTemporaryFile m_file;
    QString m_path;
};

QString cannotWriteBeside(const QString &archivePath)
{
    return QObject::tr("The folder of \"%1\" cannot be written to. Check that the disk is not "
                       "full and that you may write there.")
        .arg(shown(archivePath));
}

} // namespace

Outcome MpqControl::extractEntry(const QString &archivePath, const QString &entryName,
                                 const QString &destFolder) const
{
    // Only the entry's bare name is used, so no name can reach outside the folder.
    const QString bareName = entryName.section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1);
    if (bareName.isEmpty() || bareName == QLatin1String(".") || bareName == QLatin1String(".."))
        return Outcome::failure(QObject::tr("\"%1\" is not an entry name that can be extracted.")
                                    .arg(entryName));
    QByteArray data;
    if (Outcome read = readEntry(archivePath, entryName, &data); !read)
        return read;
    const QString destPath = QDir(destFolder).filePath(bareName);
    QSaveFile out(destPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        return Outcome::failure(FailureKind::WorkingFolder, QObject::tr("\"%1\" could not be written. Check that the disk "
                                            "is not full and that you may write there.")
                                    .arg(shown(destPath)));
    return Outcome::success();
}

Outcome MpqControl::readEntry(const QString &archivePath, const QString &entryName,
                              QByteArray *data, qint64 maxSize) const
{
    ArchiveHandle archive;
    if (Outcome opened = openArchive(archive, archivePath, ReadOnlyOpen); !opened)
        return opened;
    QByteArray bytes;
    if (Outcome read = readFrom(archive.get(), archivePath, entryName, &bytes, maxSize); !read)
        return read;
    archive.close();
    if (data)
        *data = std::move(bytes);
    return Outcome::success();
}

Outcome MpqControl::entryInfo(const QString &archivePath, const QString &entryName,
                              EntryInfo *info) const
{
    ArchiveHandle archive;
    if (Outcome opened = openArchive(archive, archivePath, ReadOnlyOpen); !opened)
        return opened;
    EntryHandle entry;
    if (!entry.open(archive.get(), entryBytes(entryName)))
        return Outcome::failure(FailureKind::NoScenario, QObject::tr("The map archive \"%1\" has no entry \"%2\".")
                                    .arg(shown(archivePath), entryName));
    DWORD flags = 0, locale = 0, size = 0, compressed = 0;
    if (!fileInfo(entry.get(), SFileInfoFlags, &flags)
        || !fileInfo(entry.get(), SFileInfoLocale, &locale)
        || !fileInfo(entry.get(), SFileInfoFileSize, &size)
        || !fileInfo(entry.get(), SFileInfoCompressedSize, &compressed))
        return Outcome::failure(FailureKind::Damaged, damagedEntry(archivePath, entryName));
    if (info)
        *info = EntryInfo{flags, locale, size, compressed};
    return Outcome::success();
}

Outcome MpqControl::listEntries(const QString &archivePath, QStringList *names,
                                int *fileCount) const
{
    ArchiveHandle archive;
    if (Outcome opened = openArchive(archive, archivePath, ListingOpen); !opened)
        return opened;

    DWORD count = 0;
    if (!fileInfo(archive.get(), SFileMpqNumberOfFiles, &count))
        return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));

    // Candidates: what the archive's own listfile says, then the names the program knows.
    QStringList candidates;
    QByteArray listfile;
    if (readFrom(archive.get(), archivePath, QStringLiteral("(listfile)"), &listfile).ok()) {
        for (const QByteArray &line : listfile.split('\n')) {
            for (const QByteArray &part : line.split(';')) {
                const QByteArray name = part.trimmed();
                if (!name.isEmpty())
                    candidates << QString::fromLatin1(name);
            }
        }
    }
    for (const char *known : KnownNames)
        candidates << QString::fromLatin1(known);

    QStringList found;
    QSet<QString> seen;
    for (const QString &name : std::as_const(candidates)) {
        const QString key = name.toLower(); // entry names ignore case
        if (seen.contains(key))
            continue;
        seen.insert(key);
        if (SFileHasFile(archive.get(), entryBytes(name).constData()))
            found << name;
    }
    archive.close();
    if (names)
        *names = found;
    if (fileCount)
        *fileCount = int(count);
    return Outcome::success();
}

Outcome MpqControl::storeEntry(const QString &archivePath, const QString &filePath,
                               const QString &entryName) const
{
    QFile source(filePath);
    if (!QFileInfo(filePath).isFile() || !source.open(QIODevice::ReadOnly))
        return Outcome::failure(FailureKind::WorkingFolder, QObject::tr("\"%1\" cannot be read, so it cannot be stored in "
                                            "the map archive.")
                                    .arg(shown(filePath)));
    if (source.size() > qint64(MaxEntrySize))
        return Outcome::failure(FailureKind::BadScenario, QObject::tr("\"%1\" is too large to be stored in a map archive.")
                                    .arg(shown(filePath)));
    const QByteArray data = source.readAll();
    if (data.size() != source.size())
        return Outcome::failure(FailureKind::WorkingFolder, QObject::tr("\"%1\" cannot be read, so it cannot be stored in "
                                            "the map archive.")
                                    .arg(shown(filePath)));
    source.close();

    if (Outcome checked = checkArchiveFile(archivePath); !checked)
        return checked;
    QFile original(archivePath);
    if (!original.open(QIODevice::ReadOnly))
        return Outcome::failure(FailureKind::MapUnreadable, QObject::tr("The map archive \"%1\" cannot be read.")
                                    .arg(shown(archivePath)));
    const QByteArray originalBytes = original.readAll();
    original.close();

    // The library writes a copy; the archive itself is replaced only once the copy is
    // complete and holds what was stored.
    Scratch scratch(archivePath);
    if (!scratch.prepare(&originalBytes))
        return Outcome::failure(FailureKind::WorkingFolder, cannotWriteBeside(archivePath));

    {
        ArchiveHandle archive;
        if (!archive.open(scratch.path(), 0)) {
            // Some maps are readable only the way the game reads them (format 1, tables
            // taken as they are); those cannot be written safely.
            ArchiveHandle readable;
            if (readable.open(scratch.path(), ReadOnlyOpen))
                return protectedArchive(archivePath);
            return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));
        }

        DWORD archiveFlags = 0;
        if (!fileInfo(archive.get(), SFileMpqFlags, &archiveFlags)
            || (archiveFlags & (MPQ_FLAG_READ_ONLY | MPQ_FLAG_MALFORMED)))
            return protectedArchive(archivePath);

        if (!learnNames(archive.get(), entryName))
            return Outcome::failure(FailureKind::WorkingFolder, QObject::tr("The map archive \"%1\" could not be prepared "
                                                "for writing. Check that the disk is not full.")
                                        .arg(shown(archivePath)));

        // Same locale as the entry it replaces; a new entry is language-neutral. An entry
        // that is listed but cannot be opened means damaged tables: not written into.
        LCID locale = 0;
        {
            EntryHandle existing;
            if (existing.open(archive.get(), entryBytes(entryName))) {
                DWORD value = 0;
                if (!fileInfo(existing.get(), SFileInfoLocale, &value))
                    return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));
                locale = value;
            } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
                return Outcome::failure(FailureKind::NotAnArchive, notAnArchive(archivePath));
            }
        }

        if (Outcome written = writeEntry(archive.get(), archivePath, entryName, data, locale);
            !written)
            return written;

        // Drops the replaced copy. It needs every entry's name; when an archive holds
        // entries nobody can name, the update stands and the archive is merely larger.
        SFileCompactArchive(archive.get(), nullptr, false);

        if (!archive.close())
            return Outcome::failure(FailureKind::WorkingFolder, QObject::tr("The map archive \"%1\" could not be finished. "
                                                "Check that the disk is not full.")
                                        .arg(shown(archivePath)));
    }

    QByteArray stored;
    if (!readEntry(scratch.path(), entryName, &stored).ok() || stored != data)
        return Outcome::failure(FailureKind::Damaged, QObject::tr("The entry \"%1\" did not read back correctly from "
                                            "the map archive \"%2\"; the archive was left as it "
                                            "was.")
                                    .arg(entryName, shown(archivePath)));

    if (!scratch.replace(archivePath))
        return Outcome::failure(FailureKind::WorkingFolder, cannotWriteBeside(archivePath));
    return Outcome::success();
}

Outcome MpqControl::createArchive(const QString &archivePath, const QList<Entry> &entries,
                                  bool withListfile) const
{
    Scratch scratch(archivePath);
    if (!scratch.prepare(nullptr))
        return Outcome::failure(FailureKind::WorkingFolder, cannotWriteBeside(archivePath));

    // Room for the entries, the listfile and a few later additions.
    DWORD tableSize = 16;
    while (tableSize < DWORD(entries.size()) * 2 + 4)
        tableSize *= 2;

    SFILE_CREATE_MPQ info{};
    info.cbSize = sizeof(info);
    info.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    info.dwFileFlags1 = withListfile ? MPQ_FILE_DEFAULT_INTERNAL : 0;
    info.dwFileFlags2 = 0;
    info.dwFileFlags3 = 0;
    info.dwAttrFlags = 0;
    info.dwSectorSize = DefaultSectorSize;
    info.dwMaxFileCount = tableSize;

    ArchiveHandle archive;
    if (!archive.create(scratch.path(), &info))
        return Outcome::failure(FailureKind::WorkingFolder, cannotWriteBeside(archivePath));
    for (const Entry &entry : entries) {
        if (entry.data.size() > qsizetype(MaxEntrySize))
            return Outcome::failure(FailureKind::BadScenario, QObject::tr("The entry \"%1\" is too large for a map archive.")
                                        .arg(entry.name));
        if (Outcome written = writeEntry(archive.get(), archivePath, entry.name, entry.data, 0);
            !written)
            return written;
    }
    if (!archive.close())
        return Outcome::failure(FailureKind::WorkingFolder, QObject::tr("The map archive \"%1\" could not be finished. "
                                            "Check that the disk is not full.")
                                    .arg(shown(archivePath)));
    if (!scratch.replace(archivePath))
        return Outcome::failure(FailureKind::WorkingFolder, cannotWriteBeside(archivePath));
    return Outcome::success();
}
