#include "oracle/Oracles.h"

#include <QSet>

#include <algorithm>

namespace oracle {

qint16 FindColorIndex(const QString &key, const QStringList &lstColor)
{
    const QString upperKey = key.toUpper();
    const qsizetype count = std::min<qsizetype>(lstColor.size(), 32767);
    for (qsizetype i = 0; i < count; ++i) {
        const QString &entry = lstColor.at(i);
        if (entry.isEmpty())
            continue;
        const QStringList words = entry.split(QLatin1Char(' '), Qt::KeepEmptyParts);
        for (const QString &word : words) {
            if (word.toUpper() == upperKey)
                return qint16(i);
        }
    }
    return -1;
}

QStringList deduplicated(const QStringList &list)
{
    // Walk backwards so the first sighting is the last occurrence, then restore the order.
    QSet<QString> seen;
    seen.reserve(list.size());
    QStringList survivors;
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        if (!seen.contains(*it)) {
            seen.insert(*it);
            survivors.append(*it);
        }
    }
    std::reverse(survivors.begin(), survivors.end());
    return survivors;
}

} // namespace oracle
