#pragma once

#include "core/picture/ColorKey.h"
#include "core/picture/ColorTable.h"

#include <QList>

/// The colour-list matching rule: the first entry holding a pixel's colour value gives its
/// position. Only the first colorkey::MaxColors entries take part (list positions are
/// 16-bit), and an entry that is no pixel value (colorkey::isPixelValue) never matches.
///
/// Built once per conversion so that each look-up is one probe of a flat table instead of a
/// walk over the whole list.
class ColorLookup
{
public:
    explicit ColorLookup(const QList<qint32> &colors);

    /// Position of the first entry equal to `value`, or -1.
    [[nodiscard]] qint16 indexOf(qint32 value) const
    {
        const int *index = colorkey::isPixelValue(value) ? m_firstIndex.find(value) : nullptr;
        return index ? qint16(*index) : qint16(-1);
    }

private:
    ColorTable m_firstIndex;
};
