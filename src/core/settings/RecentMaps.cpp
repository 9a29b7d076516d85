#include "core/settings/RecentMaps.h"

#include "core/settings/Settings.h"

#include <QFileInfo>

namespace RecentMaps {

QStringList read(const QString &settingsPath)
{
    QStringList out;
    for (const QString &path : settings::read(settingsPath, settings::RecentMaps))
        if (!path.isEmpty() && !out.contains(path))
            out << path;
    return out;
}

bool remember(const QString &settingsPath, const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = read(settingsPath);
    list.removeAll(absolute);
    list.prepend(absolute);
    // One replacement of the file for the whole list, so an interrupted update never leaves
    // it half moved down.
    settings::Changes changes;
    return changes.set(settings::RecentMaps, list) && changes.store(settingsPath);
}

} // namespace RecentMaps
