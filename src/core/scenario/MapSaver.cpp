#include "core/scenario/MapSaver.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/FileIdentity.h"
#include "core/common/OutputTarget.h"
#include "core/common/ReplacingFile.h"
#include "core/common/UserText.h"
#include "core/scenario/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct MapSaverText
{
    Q_DECLARE_TR_FUNCTIONS(MapSaver)
};

} // namespace

namespace {

/// The target must be a file name in an existing folder, and none of the working files.
Status checkTarget(const Workspace &ws, const QString &target)
{
    const QFileInfo targetInfo(target);
    if (target.isEmpty() || targetInfo.isDir())
        return fail(FailureKind::Output,
                    MapSaverText::tr("\"%1\" is a folder; choose a file name for the map.")
                        .arg(shownPath(target)));
    if (!targetInfo.absoluteDir().exists())
        return fail(FailureKind::Output,
                    MapSaverText::tr("The folder of \"%1\" does not exist; choose another place for "
                                "the map.")
                        .arg(shownPath(target)));
    if (Status kind = outputtarget::checkKind(target); !kind)
        return kind;
    if (fileidentity::sameFile(target, ws.scenarioPath())
        || fileidentity::sameFile(target, ws.archivePath()))
        return fail(FailureKind::Output,
                    MapSaverText::tr("\"%1\" is one of the program's working files; choose another "
                                "place for the map.")
                        .arg(shownPath(target)));
    return {};
}

/// Stores the scenario, checked (it reads back unchanged, the archive holds as many entries
/// as before); what the checked archive was: its size and fingerprint.
Result<ArchiveAccess::CheckedArchive> storeVerified(const Workspace &ws,
                                                    const ArchiveAccess &archive,
                                                    const QString &target,
                                                    const Failure &notVerified)
{
    const QFileInfo scenario(ws.scenarioPath());
    if (!scenario.isFile() || !scenario.isReadable())
        return fail(FailureKind::WorkingFolder,
                    MapSaverText::tr("The working copy of the map cannot be read, so \"%1\" was not "
                                "changed.").arg(shownPath(target)));
    ArchiveAccess::CheckedArchive checked;
    if (Status done = archive.storeChecked(ws.archivePath(), ws.scenarioPath(),
                                           Workspace::ScenarioEntry, notVerified, &checked);
        !done)
        return done.failure();
    return checked;
}

/// Copies the working archive to `target` through a ReplacingFile, a piece at a time (a map with
/// sounds runs to megabytes), fingerprinting it on the way: whatever happened to the working
/// archive since it was checked, only exactly the checked bytes are renamed into place.
Status writeTarget(const QString &workingArchive, const QString &target,
                   const ArchiveAccess::CheckedArchive &checked, const Failure &notVerified)
{
    QFile in(workingArchive);
    if (!QFileInfo(workingArchive).isFile() || !in.open(QIODevice::ReadOnly))
        return notVerified;
    ReplacingFile out(target);
    const auto notWritten = [&target](const Status &cause) {
        return fail(FailureKind::Output,
                    MapSaverText::tr("The map \"%1\" could not be written (%2); it was left as it was.")
                        .arg(shownPath(target), cause.reason()));
    };
    if (Status begun = out.begin(); !begun)
        return notWritten(begun);
    const auto cancel = [&out](const Failure &failure) {
        out.cancel();
        return failure;
    };
    ArchiveAccess::Fingerprint print(quint64(qMax<qint64>(checked.size, 0)));
    QByteArray piece(qsizetype(1) << 20, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qint64 got = in.read(piece.data(), piece.size());
        if (got < 0)
            return cancel(notVerified);
        if (got == 0)
            break;
        copied += got;
        if (copied > checked.size) // not the archive that was checked; no end of reading it
            return cancel(notVerified);
        print.add(std::string_view(piece.constData(), size_t(got)));
        if (out.write(piece.constData(), got) != got)
            return notWritten(out.commit()); // the write's cause
    }
    if (copied != checked.size || print.value() != checked.fingerprint)
        return cancel(notVerified);
    if (Status committed = out.commit(); !committed)
        return notWritten(committed);
    return {};
}

} // namespace

Status saveMap(const Workspace &ws, const ArchiveAccess &archive, const QString &target,
               const std::function<void()> &afterStore)
{
    if (Status checked = checkTarget(ws, target); !checked)
        return checked;
    const Failure notVerified =
        fail(FailureKind::Output,
             MapSaverText::tr("The working copy of the map did not hold the map as it was stored, so "
                         "\"%1\" was not changed.")
                 .arg(shownPath(target)));
    const Result<ArchiveAccess::CheckedArchive> stored =
        storeVerified(ws, archive, target, notVerified);
    if (!stored)
        return stored.failure();
    if (afterStore)
        afterStore();
    return writeTarget(ws.archivePath(), target, *stored, notVerified);
}
