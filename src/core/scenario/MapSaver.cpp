#include "core/scenario/MapSaver.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/UserText.h"
#include "core/scenario/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

Result<QByteArray> readWhole(const QString &path, const Failure &failure)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return failure;
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return failure;
    return bytes;
}

/// The target must be a file name in an existing folder, and none of the working files.
Status checkTarget(const Workspace &ws, const QString &target)
{
    const QFileInfo targetInfo(target);
    if (target.isEmpty() || targetInfo.isDir())
        return fail(FailureKind::Output,
                    QObject::tr("\"%1\" is a folder; choose a file name for the map.")
                        .arg(shownPath(target)));
    if (!targetInfo.absoluteDir().exists())
        return fail(FailureKind::Output,
                    QObject::tr("The folder of \"%1\" does not exist; choose another place for "
                                "the map.")
                        .arg(shownPath(target)));
    const auto samePath = [&](const QString &a, const QString &b) {
        return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
            == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
    };
    if (samePath(target, ws.scenarioPath()) || samePath(target, ws.archivePath()))
        return fail(FailureKind::Output,
                    QObject::tr("\"%1\" is one of the program's working files; choose another "
                                "place for the map.")
                        .arg(shownPath(target)));
    return {};
}

/// Stores the scenario, checked (it reads back unchanged, the archive holds as many entries
/// as before); the archive's bytes then, exactly as they were checked.
Result<QByteArray> storeVerified(const Workspace &ws, const ArchiveAccess &archive,
                                 const QString &target, const std::function<void()> &afterStore)
{
    const QFileInfo scenario(ws.scenarioPath());
    if (!scenario.isFile() || !scenario.isReadable())
        return fail(FailureKind::WorkingFolder,
                    QObject::tr("The working copy of the map cannot be read, so \"%1\" was not "
                                "changed.").arg(shownPath(target)));
    const Failure notVerified =
        fail(FailureKind::Output,
             QObject::tr("The working copy of the map did not hold the map as it was stored, so "
                         "\"%1\" was not changed.")
                 .arg(shownPath(target)));
    ArchiveAccess::CheckedArchive checked;
    if (Status stored = archive.storeChecked(ws.archivePath(), ws.scenarioPath(),
                                             Workspace::ScenarioEntry, notVerified, &checked);
        !stored)
        return stored.failure();
    if (afterStore)
        afterStore();
    // Whatever happened to the working archive meanwhile, only what was checked is copied.
    Result<QByteArray> bytes = readWhole(ws.archivePath(), notVerified);
    if (bytes && (bytes->size() != checked.size
                  || ArchiveAccess::fingerprint(*bytes) != checked.fingerprint))
        return notVerified;
    return bytes;
}

/// Flushes the folder entry of a file just renamed into place, so that the rename itself
/// survives a power cut. The map is complete either way; this only decides whether the old or
/// the new one is found afterwards, so a failure here is not the user's concern.
void syncFolderOf(const QString &path)
{
#ifdef Q_OS_UNIX
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
#else
    Q_UNUSED(path);
#endif
}

Status writeTarget(const QString &target, const QByteArray &bytes)
{
    QSaveFile out(target);
    const Failure notWritten =
        fail(FailureKind::Output,
             QObject::tr("The map \"%1\" could not be written; it was left as it was. Check that "
                         "the disk is not full and that you may write there.")
                 .arg(shownPath(target)));
    if (!out.open(QIODevice::WriteOnly))
        return notWritten;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        (void)out.commit();
        return notWritten;
    }
    if (!out.commit())
        return notWritten;
    syncFolderOf(target);
    return {};
}

} // namespace

Status saveMap(const Workspace &ws, const ArchiveAccess &archive, const QString &target,
               const std::function<void()> &afterStore)
{
    if (Status checked = checkTarget(ws, target); !checked)
        return checked;
    const Result<QByteArray> bytes = storeVerified(ws, archive, target, afterStore);
    if (!bytes)
        return bytes.failure();
    return writeTarget(target, *bytes);
}
