#include "core/scenario/MapSaver.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/UserText.h"
#include "core/scenario/Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

/// The working archive, mapped rather than read where the file system allows: a map with
/// sounds runs to megabytes, and copying them into fresh memory costs more than the save's
/// own work. Only the program's processes write in the working folder, and none while a
/// save runs.
class MappedArchive
{
public:
    explicit MappedArchive(const QString &path) : m_file(path)
    {
        if (!QFileInfo(path).isFile() || !m_file.open(QIODevice::ReadOnly))
            return;
        const qint64 size = m_file.size();
        if (const uchar *data = size > 0 ? m_file.map(0, size) : nullptr) {
            m_bytes = QByteArrayView(data, size);
            m_open = true;
            return;
        }
        m_copy = m_file.readAll();
        m_bytes = m_copy;
        m_open = m_copy.size() == size;
    }
    bool isOpen() const { return m_open; }
    QByteArrayView bytes() const { return m_bytes; }

private:
    QFile m_file;
    QByteArray m_copy;
    QByteArrayView m_bytes;
    bool m_open = false;
};

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
/// as before), and maps the archive then, `stored` holding exactly the bytes that were
/// checked.
Status storeVerified(const Workspace &ws, const ArchiveAccess &archive, const QString &target,
                     const std::function<void()> &afterStore, std::optional<MappedArchive> *stored)
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
    if (Status done = archive.storeChecked(ws.archivePath(), ws.scenarioPath(),
                                           Workspace::ScenarioEntry, notVerified, &checked);
        !done)
        return done;
    if (afterStore)
        afterStore();
    // Whatever happened to the working archive meanwhile, only what was checked is copied.
    stored->emplace(ws.archivePath());
    const QByteArrayView bytes = (*stored)->bytes();
    if (!(*stored)->isOpen() || bytes.size() != checked.size
        || ArchiveAccess::fingerprint(bytes) != checked.fingerprint)
        return notVerified;
    return Status::success();
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

Status writeTarget(const QString &target, QByteArrayView bytes)
{
    QSaveFile out(target);
    const Failure notWritten =
        fail(FailureKind::Output,
             QObject::tr("The map \"%1\" could not be written; it was left as it was. Check that "
                         "the disk is not full and that you may write there.")
                 .arg(shownPath(target)));
    if (!out.open(QIODevice::WriteOnly))
        return notWritten;
    if (out.write(bytes.data(), bytes.size()) != bytes.size()) {
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
    std::optional<MappedArchive> stored;
    if (Status verified = storeVerified(ws, archive, target, afterStore, &stored); !verified)
        return verified;
    return writeTarget(target, stored->bytes());
}
