#include "core/scenario/Workspace.h"

#include "core/archive/ArchiveAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString Workspace::ScenarioEntry = QStringLiteral("staredit\\scenario.chk");

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

/// Removes a working file; a folder of the same name is not ours to remove.
Outcome removeFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Outcome::success();
    if (info.isDir() || !QFile::remove(path))
        return Outcome::failure(QObject::tr("The working file \"%1\" cannot be deleted. Close "
                                            "any program that uses it and try again.")
                                    .arg(shown(path)));
    return Outcome::success();
}

} // namespace

Workspace::Workspace(const QString &programDir) : m_programDir(programDir) {}

QString Workspace::folder() const
{
    return QDir(m_programDir).filePath(QStringLiteral("temp"));
}

QString Workspace::archivePath() const
{
    return QDir(folder()).filePath(QStringLiteral("~temp.map"));
}

QString Workspace::scenarioPath() const
{
    return QDir(folder()).filePath(QStringLiteral("scenario.chk"));
}

Outcome Workspace::clear() const
{
    if (Outcome removed = removeFile(archivePath()); !removed)
        return removed;
    if (Outcome removed = removeFile(scenarioPath()); !removed)
        return removed;
    const QFileInfo dir(folder());
    if (dir.isDir())
        return Outcome::success();
    if (dir.exists() || !QDir().mkpath(folder()))
        return Outcome::failure(QObject::tr("The working folder \"%1\" cannot be created. Check "
                                            "that you may write in the program's folder.")
                                    .arg(shown(folder())));
    return Outcome::success();
}

Outcome Workspace::copyIn(const QString &chosenMap) const
{
    const QFileInfo chosen(chosenMap);
    if (!chosen.isFile())
        return Outcome::failure(QObject::tr("The map \"%1\" does not exist or is not a file.")
                                    .arg(shown(chosenMap)));
    if (Outcome removed = removeFile(archivePath()); !removed)
        return removed;
    if (!QFile::copy(chosenMap, archivePath())) {
        QFile::remove(archivePath());
        return Outcome::failure(QObject::tr("The map \"%1\" cannot be copied into the working "
                                            "folder. Check that it can be read and that the "
                                            "disk is not full.")
                                    .arg(shown(chosenMap)));
    }
    // A copy keeps the source's permissions; the working copy must stay writable.
    QFile::setPermissions(archivePath(), QFile::permissions(archivePath()) | QFile::WriteOwner
                                             | QFile::ReadOwner);
    return Outcome::success();
}

Outcome Workspace::extractScenario(const ArchiveAccess &mpq) const
{
    if (Outcome extracted = mpq.extractEntry(archivePath(), ScenarioEntry, folder() + '/');
        !extracted)
        return extracted;
    if (!QFileInfo(scenarioPath()).isFile())
        return Outcome::failure(QObject::tr("The scenario of the map could not be extracted to "
                                            "\"%1\".")
                                    .arg(shown(scenarioPath())));
    return Outcome::success();
}
