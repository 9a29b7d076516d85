#pragma once

#include "core/archive/worker/WorkerProtocol.h"
#include "core/common/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

/// What the program does with map archives. Entry names keep their backslash
/// ("staredit\\scenario.chk"); file paths use the native separator. The map session, the
/// saver, the windows and the companion take this by reference, so a test can put a
/// failing archive in place of the real one.
class ArchiveAccess
{
public:
    /// No scenario entry comes near this; a damaged table can claim any size.
    static constexpr qint64 DefaultMaxEntrySize = qint64(workerprotocol::MaxEntrySize);

    virtual ~ArchiveAccess() = default;

    /// Extracts `entryName` from `archivePath` into `destFolder`, under the entry's bare
    /// file name (the part after the last backslash).
    [[nodiscard]] virtual Status extractEntry(const QString &archivePath,
                                               const QString &entryName,
                                               const QString &destFolder) const = 0;

    /// Stores the file at `filePath` as `entryName` in `archivePath`, replacing an entry of
    /// that name (same locale) and keeping every other entry. Stored the way the game reads
    /// scenario entries: PKWARE-compressed and encrypted. The archive is compacted
    /// afterwards where possible, so repeated stores do not grow it. On failure the archive
    /// is unchanged.
    [[nodiscard]] virtual Status storeEntry(const QString &archivePath, const QString &filePath,
                                             const QString &entryName) const = 0;

    /// Reads one entry into memory; an entry larger than `maxSize` is refused unread.
    [[nodiscard]] virtual Status readEntry(const QString &archivePath, const QString &entryName,
                                            QByteArray *data,
                                            qint64 maxSize = DefaultMaxEntrySize) const = 0;

    /// Names of the entries the archive lists (from its "(listfile)" plus the names the
    /// program knows), and the number of entries in its tables.
    [[nodiscard]] virtual Status listEntries(const QString &archivePath, QStringList *names,
                                              int *fileCount) const = 0;

    /// The archive as a checked store left it: its size and the fingerprint of its bytes, so
    /// that whoever copies it afterwards can tell that the copy is what was checked.
    struct CheckedArchive
    {
        qint64 size = -1;
        quint64 fingerprint = 0;
    };

    /// Stores like storeEntry, then checks the result: the entry reads back as the file's
    /// bytes and the archive holds as many entries as before. A failed check gives
    /// `notVerified`; `checked` receives the archive as it was checked. This version does it
    /// with the calls above; MpqControl does it in one step, before the archive is replaced.
    [[nodiscard]] virtual Status storeChecked(const QString &archivePath, const QString &filePath,
                                               const QString &entryName, const Failure &notVerified,
                                               CheckedArchive *checked) const;

    /// The fingerprint of CheckedArchive: a 64-bit hash of the bytes, taken eight at a time
    /// (a check against accidents, not against forgery).
    [[nodiscard]] static quint64 fingerprint(QByteArrayView bytes);
    /// The same, taken piece by piece as a file is copied.
    using Fingerprint = workerprotocol::Fingerprint;

protected:
    ArchiveAccess() = default;
    ArchiveAccess(const ArchiveAccess &) = default;
    ArchiveAccess &operator=(const ArchiveAccess &) = default;
};
