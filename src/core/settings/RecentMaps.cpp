#include "core/settings/RecentMaps.h"

#include "core/settings/modINI.h"

#include <QFileInfo>
#include <QUrl>

namespace RecentMaps {

namespace {

const QString kSection = QStringLiteral("RecentMaps");
// Far beyond any path the system accepts; only a hand-edited file reaches it.
constexpr qsizetype kMaxStoredLength = 16 * 1024;

QString keyOf(int i)
{
    return QStringLiteral("Map%1").arg(i + 1);
}

QString encoded(const QString &path)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(path, "/\\:.-_~()"));
}

QString decoded(const QString &stored)
{
    return QUrl::fromPercentEncoding(stored.toLatin1());
}

} // namespace

QStringList read(const QString &settingsPath)
{
    QStringList out;
    for (int i = 0; i < Limit; ++i) {
        const QString path = decoded(
            modINI::ReadIniValue(kSection, keyOf(i), QString(), settingsPath, kMaxStoredLength));
        if (!path.isEmpty() && !out.contains(path))
            out << path;
    }
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
    QList<std::pair<QString, QString>> values;
    for (int i = 0; i < Limit; ++i)
        values.append({keyOf(i), encoded(list.value(i))});
    return modINI::WriteIniValues(kSection, values, settingsPath);
}

} // namespace RecentMaps
