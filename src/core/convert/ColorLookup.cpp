#include "core/convert/ColorLookup.h"

#include "core/picture/ColorKey.h"

#include <algorithm>

ColorLookup::ColorLookup(const QStringList &lstColor)
{
    // Positions are signed 16-bit; entries beyond them cannot be named and never match.
    const qsizetype count = std::min<qsizetype>(lstColor.size(), colorkey::MaxColors);
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
