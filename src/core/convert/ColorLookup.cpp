#include "core/convert/ColorLookup.h"

#include "core/picture/ColorKey.h"

#include <algorithm>

ColorLookup::ColorLookup(const QList<qint32> &colors)
{
    // Positions are signed 16-bit; entries beyond them cannot be named and never match.
    const qsizetype count = std::min<qsizetype>(colors.size(), colorkey::MaxColors);
    int bits = 4;
    while ((qsizetype(1) << bits) < 2 * count) // at most half full
        ++bits;
    m_slots.assign(size_t(1) << bits, 0);
    m_mask = m_slots.size() - 1;
    m_shift = 32 - bits;
    m_colors = count == colors.size() ? colors : colors.first(count);
    const qint32 *const list = m_colors.constData();
    for (qsizetype i = 0; i < count; ++i) {
        const qint32 value = list[i];
        if (!colorkey::isPixelValue(value))
            continue;
        size_t at = home(value);
        while (m_slots[at] != 0 && list[m_slots[at] - 1] != value)
            at = (at + 1) & m_mask;
        if (m_slots[at] == 0)
            m_slots[at] = quint16(i + 1); // an earlier entry keeps its colour
    }
}
