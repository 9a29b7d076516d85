#pragma once

#include "core/picture/ColorKey.h"

#include <QList>

#include <vector>

/// The colour-list matching rule: the first entry holding a pixel's colour value gives its
/// position. Only the first colorkey::MaxColors entries take part (list positions are
/// 16-bit), and an entry that is no pixel value (colorkey::isPixelValue) never matches.
///
/// Built once per conversion so that each look-up is one probe of a flat table instead of a
/// walk over the whole list. The table holds list positions plus one (0: free) in 16 bits and
/// the colours stay in a list beside it: a quarter of the memory of colour-and-position
/// slots, so a list of thousands of colours stays in the cache during the pixel pass.
class ColorLookup
{
public:
    explicit ColorLookup(const QList<qint32> &colors);

    /// Position of the first entry equal to `value`, or -1.
    [[nodiscard]] qint16 indexOf(qint32 value) const
    {
        if (!colorkey::isPixelValue(value))
            return -1;
        for (size_t i = home(value);; i = (i + 1) & m_mask) {
            const quint16 slot = m_slots[i];
            if (slot == 0)
                return -1;
            if (m_colors.constData()[slot - 1] == value)
                return qint16(slot - 1);
        }
    }

private:
    [[nodiscard]] size_t home(qint32 value) const
    {
        return (quint32(value) * 0x9E3779B1u) >> m_shift; // Fibonacci hashing
    }

    QList<qint32> m_colors; ///< the list itself (shared, not copied) up to MaxColors entries
    std::vector<quint16> m_slots;
    size_t m_mask = 0;
    int m_shift = 32;
};
