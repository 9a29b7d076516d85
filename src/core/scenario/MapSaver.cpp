#include "core/scenario/MapSaver.h"

#include "core/archive/ArchiveAccess.h"
#include "core/scenario/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray readWhole(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = false;
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    *ok = bytes.size() == file.size();
    return bytes;
}

} // namespace

Outcome saveMap(const Workspace &ws, const ArchiveAccess &mpq, const QString &target,
                const std::function<void()> &afterStore)
{
    const QFileInfo targetInfo(target);
    if (target.isEmpty() || targetInfo.isDir())
        return Outcome::failure(QObject::tr("\"%1\" is a folder; choose a file name for the map.")
                                    .arg(shown(target)));
    if (!targetInfo.absoluteDir().exists())
        return Outcome::failure(QObject::tr("The folder of \"%1\" does not exist; choose another "
                                            "place for the map.")
                                    .arg(shown(target)));

    const auto samePath = [&](const QString &a, const QString &b) {
        return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
            == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
    };
    if (samePath(target, ws.scenarioPath()) || samePath(target, ws.archivePath()))
        return Outcome::failure(QObject::tr("\"%1\" is one of the program's working files; "
                                            "choose another place for the map.")
                                    .arg(shown(target)));

    bool ok = false;
    const QByteArray scenarioBytes = readWhole(ws.scenarioPath(), &ok);
    if (!ok)
        return Outcome::failure(QObject::tr("The working scenario file \"%1\" cannot be read. "
                                            "Load the map again.")
                                    .arg(shown(ws.scenarioPath())));

    int countBefore = 0;
    if (Outcome listed = mpq.listEntries(ws.archivePath(), nullptr, &countBefore); !listed)
        return listed;

    if (Outcome stored = mpq.storeEntry(ws.archivePath(), ws.scenarioPath(),
                                        Workspace::ScenarioEntry);
        !stored)
        return stored;

    if (afterStore)
        afterStore();

    const QString notVerified = QObject::tr("The working archive \"%1\" did not hold the map "
                                            "as it was stored, so \"%2\" was not changed. Load "
                                            "the map again.")
                                    .arg(shown(ws.archivePath()), shown(target));
    QByteArray storedBack;
    int countAfter = -1;
    if (!mpq.readEntry(ws.archivePath(), Workspace::ScenarioEntry, &storedBack).ok()
        || storedBack != scenarioBytes
        || !mpq.listEntries(ws.archivePath(), nullptr, &countAfter).ok()
        || countAfter != countBefore)
        return Outcome::failure(notVerified);

    const QByteArray archiveBytes = readWhole(ws.archivePath(), &ok);
    if (!ok)
        return Outcome::failure(notVerified);

    QSaveFile out(target);
    const QString notWritten = QObject::tr("The map \"%1\" could not be written; it was left as "
                                           "it was. Check that the disk is not full and that you "
                                           "may write there.")
                                   .arg(shown(target));
    if (!out.open(QIODevice::WriteOnly))
        return Outcome::failure(notWritten);
    if (out.write(archiveBytes) != archiveBytes.size()) {
        out.cancelWriting();
        out.commit();
        return Outcome::failure(notWritten);
    }
    if (!out.commit())
        return Outcome::failure(notWritten);
    return Outcome::success();
}
