#include "core/convert/ColorLookup.h"

#include "core/picture/ColorKey.h"

#include <algorithm>

namespace {

/// The colour value whose key colorkey::colorKey writes as exactly `word`: "-00000001" or
/// eight digits within 24 bits. Such a word equals a key exactly when the values are equal.
std::optional<qint32> keyValue(QStringView word)
{
    if (word == u"-00000001")
        return -1;
    if (word.size() != 8)
        return std::nullopt;
    qint32 value = 0;
    for (const QChar c : word) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value <= 0xFFFFFF ? std::optional<qint32>(value) : std::nullopt;
}

} // namespace

ColorLookup::ColorLookup(const QStringList &lstColor)
{
    // Positions are signed 16-bit; entries beyond them cannot be named and never match.
    const qsizetype count = std::min<qsizetype>(lstColor.size(), colorkey::MaxColors);
    m_firstIndexOfValue.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString &entry = lstColor.at(i);
        if (entry.isEmpty())
            continue;
        for (const QStringView word : QStringView(entry).split(u' ', Qt::KeepEmptyParts))
            add(word, qint16(i));
    }
}

void ColorLookup::add(QStringView word, qint16 index)
{
    // An earlier entry keeps the word. Digits have no letter case, so a key word needs none.
    if (const std::optional<qint32> value = keyValue(word)) {
        if (!m_firstIndexOfValue.contains(*value))
            m_firstIndexOfValue.insert(*value, index);
        return;
    }
    const QString upper = word.toString().toUpper();
    if (!m_firstIndex.contains(upper))
        m_firstIndex.insert(upper, index);
}

qint16 ColorLookup::indexOf(const QString &key) const
{
    if (const std::optional<qint32> value = keyValue(key))
        return indexOf(*value);
    return m_firstIndex.value(key.toUpper(), qint16(-1));
}
