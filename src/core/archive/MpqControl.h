#pragma once

#include "core/archive/ArchiveAccess.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// The program's access to MPQ map archives through the archive library. This is the only
/// part of the program that knows the library.
class MpqControl : public ArchiveAccess
{
public:
    struct Entry
    {
        QString name;
        QByteArray data;
    };

    Outcome extractEntry(const QString &archivePath, const QString &entryName,
                         const QString &destFolder) const override;
    Outcome storeEntry(const QString &archivePath, const QString &filePath,
                       const QString &entryName) const override;
    Outcome readEntry(const QString &archivePath, const QString &entryName, QByteArray *data,
                      qint64 maxSize = DefaultMaxEntrySize) const override;
    Outcome listEntries(const QString &archivePath, QStringList *names,
                        int *fileCount) const override;

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
