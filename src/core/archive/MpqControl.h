#pragma once

#include "core/common/Outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// The program's access to MPQ map archives. Entry names keep their backslash
/// ("staredit\\scenario.chk"); file paths use the native separator. This is the only
/// part of the program that knows the archive library.
class MpqControl
{
public:
    struct Entry
    {
        QString name;
        QByteArray data;
    };

    /// Extracts `entryName` from `archivePath` into `destFolder`, under the entry's bare
    /// file name (the part after the last backslash).
    Outcome extractEntry(const QString &archivePath, const QString &entryName,
                         const QString &destFolder) const;

    /// Stores the file at `filePath` as `entryName` in `archivePath`, replacing an entry of
    /// that name (same locale) and keeping every other entry. Stored the way the game reads
    /// scenario entries: PKWARE-compressed and encrypted. The archive is compacted afterwards
    /// where the library can, so repeated stores do not grow it.
    Outcome storeEntry(const QString &archivePath, const QString &filePath,
                       const QString &entryName) const;

    /// Reads one entry into memory.
    Outcome readEntry(const QString &archivePath, const QString &entryName,
                      QByteArray *data) const;

    /// Names of the entries the archive lists (from its "(listfile)" plus the names the
    /// program knows), and the number of entries in its tables.
    Outcome listEntries(const QString &archivePath, QStringList *names, int *fileCount) const;

    /// What the archive's tables say about one entry.
    struct EntryInfo
    {
        quint32 flags = 0;  ///< the library's file flags (compression, encryption, ...)
        quint32 locale = 0;
        qint64 size = 0;
        qint64 compressedSize = 0;
    };

    /// Reads the table data of `entryName` (flags, locale, sizes) without reading the entry.
    Outcome entryInfo(const QString &archivePath, const QString &entryName,
                      EntryInfo *info) const;

    /// Creates a new archive holding `entries` (each stored like a scenario entry).
    /// With `withListfile` false the archive carries no "(listfile)". Used by tests,
    /// benchmarks and tools.
    Outcome createArchive(const QString &archivePath, const QList<Entry> &entries,
                          bool withListfile = true) const;
};
