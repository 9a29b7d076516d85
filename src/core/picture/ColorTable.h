#pragma once

#include <QtGlobal>

#include <vector>

/// A map from colour values (-1 or a 24-bit colour, see colorkey::isPixelValue) to an int,
/// for the scan, the conversion's look-up and the colour file: open addressing with linear
/// probing in one flat array, so a look-up is a multiply and usually one cache line. A
/// table of all 2^24 colours would cost 64 MiB; this one holds what is put in it.
class ColorTable
{
public:
    /// Room for `expected` colours before the first growth.
    explicit ColorTable(qsizetype expected = 0);

    /// The number stored for `color`, or nullptr when it has none. The pointer stays valid
    /// until the next insert.
    [[nodiscard]] int *find(qint32 color);
    [[nodiscard]] const int *find(qint32 color) const
    {
        return const_cast<ColorTable *>(this)->find(color);
    }
    /// Stores `number` for `color` unless it already has one; returns the stored number's
    /// place and whether it was inserted. `color` must be a pixel value.
    std::pair<int *, bool> insert(qint32 color, int number);

    [[nodiscard]] qsizetype size() const { return m_size; }

private:
    struct Slot
    {
        qint32 color;
        int number;
    };
    /// Marks a free slot; no pixel value has it.
    static constexpr qint32 Free = qint32(0x80000000u);

    [[nodiscard]] quint32 home(qint32 color) const
    {
        // Fibonacci hashing: the top bits of the product spread neighbouring colours.
        return (quint32(color) * 0x9E3779B1u) >> m_shift;
    }
    void rehash(int bits);

    std::vector<Slot> m_slots;
    quint32 m_mask = 0;
    int m_shift = 32;
    qsizetype m_size = 0;
};
