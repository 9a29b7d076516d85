#include "core/convert/ColorLookup.h"

#include "core/picture/ColorKey.h"

#include <algorithm>

ColorLookup::ColorLookup(const QList<qint32> &colors)
    : m_firstIndex(std::min<qsizetype>(colors.size(), colorkey::MaxColors))
{
    // Positions are signed 16-bit; entries beyond them cannot be named and never match.
    const qsizetype count = std::min<qsizetype>(colors.size(), colorkey::MaxColors);
    for (qsizetype i = 0; i < count; ++i)
        if (colorkey::isPixelValue(colors.at(i)))
            m_firstIndex.insert(colors.at(i), int(i)); // an earlier entry keeps its colour
}
