#pragma once

#include "core/archive/ArchiveAccess.h"

#include <QFile>

namespace testsupport {

/// An archive that passes every call to a real one, except for one injected fault.
/// Faults act on the archive's file as a failing disk or a broken library would.
class FailingArchive : public ArchiveAccess
{
public:
    enum class Fault {
        None,
        StoreFailsHalfWay,   ///< the archive is cut to half its size and the store fails
        ReadBackDiffers,     ///< reads after a store return other bytes
        ReadFails,           ///< every read fails
        ListFails,           ///< every listing fails
        EntryCountChanges,   ///< listings after a store report one entry more
        ExtractFails,        ///< extraction fails after writing half of the file
    };

    FailingArchive(const ArchiveAccess &real, Fault fault) : m_real(real), m_fault(fault) {}

    Status extractEntry(const QString &archivePath, const QString &entryName,
                         const QString &destFolder) const override
    {
        if (m_fault != Fault::ExtractFails)
            return m_real.extractEntry(archivePath, entryName, destFolder);
        QFile half(destFolder + QStringLiteral("/scenario.chk"));
        if (half.open(QIODevice::WriteOnly))
            half.write(QByteArray(100, 'h'));
        return Status::failure(FailureKind::Damaged, QStringLiteral("injected extraction failure"));
    }

    Status storeEntry(const QString &archivePath, const QString &filePath,
                       const QString &entryName) const override
    {
        m_stored = true;
        if (m_fault == Fault::StoreFailsHalfWay) {
            QFile file(archivePath);
            file.resize(file.size() / 2);
            return Status::failure(FailureKind::WorkingFolder, QStringLiteral("injected store failure"));
        }
        return m_real.storeEntry(archivePath, filePath, entryName);
    }

    Status readEntry(const QString &archivePath, const QString &entryName, QByteArray *data,
                      qint64 maxSize = DefaultMaxEntrySize) const override
    {
        if (m_fault == Fault::ReadFails)
            return Status::failure(FailureKind::Damaged, QStringLiteral("injected read failure"));
        Status read = m_real.readEntry(archivePath, entryName, data, maxSize);
        if (read && m_stored && m_fault == Fault::ReadBackDiffers && data && !data->isEmpty())
            (*data)[data->size() / 2] = char((*data)[data->size() / 2] ^ 1);
        return read;
    }

    Status listEntries(const QString &archivePath, QStringList *names,
                        int *fileCount) const override
    {
        if (m_fault == Fault::ListFails)
            return Status::failure(FailureKind::NotAnArchive, QStringLiteral("injected listing failure"));
        Status listed = m_real.listEntries(archivePath, names, fileCount);
        if (listed && m_stored && m_fault == Fault::EntryCountChanges && fileCount)
            ++*fileCount;
        return listed;
    }

private:
    const ArchiveAccess &m_real;
    Fault m_fault;
    mutable bool m_stored = false;
};

} // namespace testsupport
