#include "core/convert/ColorLookup.h"

#include <algorithm>

namespace {

// Positions are signed 16-bit; entries beyond that cannot be named and never match.
constexpr qsizetype MaxEntries = 32767;

} // namespace

qint16 FindColorIndex(const QString &key, const QStringList &lstColor)
{
    const QString upperKey = key.toUpper();
    const qsizetype count = std::min(lstColor.size(), MaxEntries);
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

ColorLookup::ColorLookup(const QStringList &lstColor)
{
    const qsizetype count = std::min(lstColor.size(), MaxEntries);
    m_firstIndex.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString &entry = lstColor.at(i);
        if (entry.isEmpty())
            continue;
        const QStringList words = entry.split(QLatin1Char(' '), Qt::KeepEmptyParts);
        for (const QString &word : words) {
            const QString upper = word.toUpper();
            if (!m_firstIndex.contains(upper)) // an earlier entry keeps the word
                m_firstIndex.insert(upper, qint16(i));
        }
    }
}

qint16 ColorLookup::indexOf(const QString &key) const
{
    return m_firstIndex.value(key.toUpper(), qint16(-1));
}
