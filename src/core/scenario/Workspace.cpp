#include "core/scenario/Workspace.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/BoundedFile.h"
#include "core/common/UserText.h"
#include "core/settings/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct WorkspaceText
{
    Q_DECLARE_TR_FUNCTIONS(Workspace)
};

} // namespace

const QString Workspace::ScenarioEntry = QString::fromLatin1(workerprotocol::ScenarioEntry);

namespace {

/// Removes a working file; a folder of the same name is not ours to remove.
Status removeFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Status::success();
    if (info.isDir() || !QFile::remove(path))
        return Status::failure(FailureKind::WorkingFolder, WorkspaceText::tr("The working file \"%1\" cannot be deleted. Close "
                                            "any program that uses it and try again.")
                                    .arg(shownPath(path)));
    return Status::success();
}

/// Copies the file `source` to a new file at `path`, by the system (no pass through the
/// program's memory: a map with sounds runs to megabytes); false when anything failed.
bool copyPlainly(const QString &source, const QString &path)
{
    std::error_code error;
    return std::filesystem::copy_file(QFile::encodeName(source).toStdString(),
                                      QFile::encodeName(path).toStdString(),
                                      std::filesystem::copy_options::none, error);
}

} // namespace

Workspace::Workspace(const QString &programDir)
    : m_folder(QDir(programDir).filePath(QLatin1StringView(AppPaths::WorkFolderName)))
{
}

Workspace Workspace::inFolder(const QString &folder)
{
    Workspace workspace(QString{});
    workspace.m_folder = folder;
    return workspace;
}

QString Workspace::folder() const
{
    return m_folder;
}

QString Workspace::archivePath() const
{
    return QDir(folder()).filePath(QStringLiteral("~temp.map"));
}

QString Workspace::scenarioPath() const
{
    // Where extraction puts the entry: under its bare name.
    return QDir(folder()).filePath(ScenarioEntry.section(u'\\', -1));
}

Status Workspace::clear() const
{
    if (Status removed = removeFile(archivePath()); !removed)
        return removed;
    if (Status removed = removeFile(scenarioPath()); !removed)
        return removed;
    if (!makeFolder(folder(), true))
        return Status::failure(FailureKind::WorkingFolder,
                               WorkspaceText::tr("The working folder \"%1\" cannot be created or "
                                           "written: %2.")
                                   .arg(shownPath(folder()), whyFolderUnusable(folder())));
    return Status::success();
}

Status Workspace::removeFiles() const
{
    if (Status removed = removeFile(archivePath()); !removed)
        return removed;
    if (Status removed = removeFile(scenarioPath()); !removed)
        return removed;
    QDir().rmdir(folder()); // only when empty: anything else in it is not ours
    return Status::success();
}

Status Workspace::copyIn(const QString &chosenMap) const
{
    const QFileInfo chosen(chosenMap);
    if (!chosen.isFile())
        return Status::failure(FailureKind::MapUnreadable, WorkspaceText::tr("The map \"%1\" does not exist or is not a file.")
                                    .arg(shownPath(chosenMap)));
    // Bounded before anything is copied (a map archive never needs more than this), and
    // opened without waiting: a map the user may not read says so.
    QFile probe;
    if (Status opened = boundedfile::open(probe, chosenMap, boundedfile::MaxMapBytes,
                                          FailureKind::MapUnreadable);
        !opened)
        return Status::failure(FailureKind::MapUnreadable,
                                WorkspaceText::tr("The map \"%1\" cannot be loaded: %2.")
                                    .arg(shownPath(chosenMap), opened.reason()));
    if (Status removed = removeFile(archivePath()); !removed)
        return removed;
    // A working copy, written plainly: nothing is lost if it does not survive a power cut,
    // so it is not flushed to disk the way the saved map is.
    if (!copyPlainly(chosenMap, archivePath())) {
        // The map itself reads, so the working folder is what failed (full or not writable).
        QFile::remove(archivePath());
        return Status::failure(FailureKind::WorkingFolder,
                                WorkspaceText::tr("The map \"%1\" cannot be copied into the working "
                                            "folder \"%2\". Check that its disk is not full and "
                                            "that you may write there.")
                                    .arg(shownPath(chosenMap), shownPath(folder())));
    }
    // A copy keeps the source's permissions; the working copy must stay writable.
    QFile::setPermissions(archivePath(), QFile::permissions(archivePath()) | QFile::WriteOwner
                                             | QFile::ReadOwner);
    return Status::success();
}

Status Workspace::extractScenario(const ArchiveAccess &mpq) const
{
    if (Status extracted = mpq.extractEntry(archivePath(), ScenarioEntry, folder() + '/');
        !extracted)
        return extracted;
    if (!QFileInfo(scenarioPath()).isFile())
        return Status::failure(FailureKind::WorkingFolder, WorkspaceText::tr("The scenario of the map could not be extracted to "
                                            "\"%1\".")
                                    .arg(shownPath(scenarioPath())));
    return Status::success();
}
