#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

/// The program's private helper file `name` (the archive worker, the picture module): beside
/// the program in a build tree, in ../libexec/velmora/ once installed. Empty when neither
/// holds it (as an executable, when `executable`).
inline QString findHelperFile(const QString &programDir, const QString &name, bool executable)
{
    const QDir dir(programDir);
    for (const QString &candidate :
         {dir.filePath(name), dir.filePath(QStringLiteral("../libexec/velmora/") + name)}) {
        const QFileInfo info(candidate);
        if (info.isFile() && (!executable || info.isExecutable()))
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return {};
}
