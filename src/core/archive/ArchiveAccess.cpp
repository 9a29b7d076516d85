#include "core/archive/ArchiveAccess.h"

#include "core/archive/worker/WorkerProtocol.h"
#include "core/common/UserText.h"

#include <QFile>
#include <QObject>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct ArchiveAccessText
{
    Q_DECLARE_TR_FUNCTIONS(ArchiveAccess)
};

} // namespace

Status ArchiveAccess::storeChecked(const QString &archivePath, const QString &filePath,
                                   const QString &entryName, const Failure &notVerified,
                                   CheckedArchive *checked) const
{
    QFile file(filePath);
    QByteArray expected;
    if (!file.open(QIODevice::ReadOnly) || file.size() > DefaultMaxEntrySize
        || (expected = file.readAll()).size() != file.size())
        return Status::failure(FailureKind::WorkingFolder,
                               ArchiveAccessText::tr("\"%1\" cannot be read, so it cannot be stored in the "
                                           "map archive.").arg(shownPath(filePath)));
    int countBefore = 0;
    if (Status listed = listEntries(archivePath, nullptr, &countBefore); !listed)
        return listed;
    if (Status stored = storeEntry(archivePath, filePath, entryName); !stored)
        return stored;
    QByteArray back;
    int countAfter = -1;
    if (!readEntry(archivePath, entryName, &back).ok() || back != expected
        || !listEntries(archivePath, nullptr, &countAfter).ok() || countAfter != countBefore)
        return notVerified;
    QFile archive(archivePath);
    if (!archive.open(QIODevice::ReadOnly))
        return notVerified;
    const QByteArray bytes = archive.readAll();
    if (checked)
        *checked = {bytes.size(), fingerprint(bytes)};
    return {};
}

quint64 ArchiveAccess::fingerprint(QByteArrayView bytes)
{
    return workerprotocol::fingerprint(std::string_view(bytes.data(), size_t(bytes.size())));
}
