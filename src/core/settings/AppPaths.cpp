#include "core/settings/AppPaths.h"

#include "core/common/UserText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kFolderName = QStringLiteral("velmora");

QString standardFolder(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location);
}

/// The installed documentation folder relative to the installed program's folder.
QString docFolderFrom(const QString &programDir)
{
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(VELMORA_DOC_FROM_BIN)));
}

QStringList readmeIn(const QString &programDir)
{
    return {QDir(programDir).filePath(QStringLiteral("readme.txt")),
            QDir(docFolderFrom(programDir)).filePath(QStringLiteral("readme.txt"))};
}

} // namespace

AppPaths AppPaths::portable(const QString &programDir)
{
    AppPaths paths;
    const QDir dir(programDir);
    paths.programDir = programDir;
    paths.configFile = QDir::toNativeSeparators(dir.filePath(QLatin1StringView(ConfigFileName)));
    paths.workFolder = dir.filePath(QLatin1StringView(WorkFolderName));
    paths.lockFile = dir.filePath(QLatin1StringView(LockFileName));
    paths.readmeCandidates = readmeIn(programDir);
    return paths;
}

AppPaths AppPaths::perUserFor(const QString &programDir)
{
    AppPaths paths;
    paths.programDir = programDir;
    paths.perUser = true;
    paths.configFile = QDir(standardFolder(QStandardPaths::GenericConfigLocation))
                           .filePath(kFolderName + u'/' + QLatin1StringView(ConfigFileName));
    paths.workFolder = QDir(standardFolder(QStandardPaths::GenericCacheLocation))
                           .filePath(kFolderName + QStringLiteral("/work"));
    paths.lockFile = QDir(standardFolder(QStandardPaths::RuntimeLocation))
                         .filePath(QLatin1StringView(LockFileName));
    paths.readmeCandidates = readmeIn(programDir);
    return paths;
}

bool AppPaths::isPortableFolder(const QString &programDir)
{
    const QFileInfo dir(programDir);
    // An installed program finds its documentation folder beside its own; it may be
    // writable for the administrator, but it is never the place for anyone's files.
    return dir.isDir() && dir.isWritable() && !QFileInfo(docFolderFrom(programDir)).isDir();
}

AppPaths AppPaths::forProgram(const QString &programDir)
{
    return isPortableFolder(programDir) ? portable(programDir) : perUserFor(programDir);
}

QString AppPaths::readme() const
{
    for (const QString &candidate : readmeCandidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

QString whyFolderUnusable(const QString &path)
{
    // The nearest part of the path that exists says what is wrong.
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(existing) && QFileInfo(existing).dir().path() != existing)
        existing = QFileInfo(existing).dir().path();
    const QFileInfo info(existing);
    if (!info.isDir())
        return QCoreApplication::translate("AppPaths", "\"%1\" is a file, not a folder")
            .arg(shownPath(existing));
    if (!info.isWritable() || !info.isExecutable())
        return QCoreApplication::translate("AppPaths", "you may not write in \"%1\"")
            .arg(shownPath(existing));
    return QCoreApplication::translate("AppPaths",
                                       "the disk may be full or mounted read-only");
}

bool makeFolder(const QString &path, bool privateToUser)
{
    const QFileInfo before(path);
    if (!before.exists()) {
        if (!QDir().mkpath(path))
            return false;
        if (privateToUser
            && !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return false;
    }
    const QFileInfo after(path);
    return after.isDir() && after.isWritable();
}
