#include "core/scenario/MapSaver.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/UserText.h"
#include "core/scenario/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

/// Stores the scenario and checks that the archive reads it back unchanged with as many
/// entries as before; the archive's bytes then.
Result<QByteArray> storeVerified(const Workspace &ws, const ArchiveAccess &archive,
                                 const QString &target, const std::function<void()> &afterStore)
{
    const Result<QByteArray> scenario = readWhole(
        ws.scenarioPath(),
        fail(FailureKind::WorkingFolder,
             QObject::tr("The working copy of the map cannot be read, so \"%1\" was not changed.")
                 .arg(shownPath(target))));
    if (!scenario)
        return scenario.failure();
    int countBefore = 0;
    if (Status listed = archive.listEntries(ws.archivePath(), nullptr, &countBefore); !listed)
        return listed.failure();
    if (Status stored = archive.storeEntry(ws.archivePath(), ws.scenarioPath(),
                                           Workspace::ScenarioEntry);
        !stored)
        return stored.failure();
    if (afterStore)
        afterStore();

    const Failure notVerified =
        fail(FailureKind::Output,
             QObject::tr("The working copy of the map did not hold the map as it was stored, so "
                         "\"%1\" was not changed.")
                 .arg(shownPath(target)));
    QByteArray storedBack;
    int countAfter = -1;
    if (!archive.readEntry(ws.archivePath(), Workspace::ScenarioEntry, &storedBack).ok()
        || storedBack != *scenario
        || !archive.listEntries(ws.archivePath(), nullptr, &countAfter).ok()
        || countAfter != countBefore)
        return notVerified;
    return readWhole(ws.archivePath(), notVerified);
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
