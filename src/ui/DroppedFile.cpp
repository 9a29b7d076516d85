#include "ui/DroppedFile.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString droppedFile(const QMimeData *data, const QStringList &suffixes)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (info.isDir() || !suffixes.contains(info.suffix().toLower()))
        return {};
    return path;
}
