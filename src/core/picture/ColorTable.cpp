#include "core/picture/ColorTable.h"

namespace {

/// Bits of the smallest power of two that keeps `count` entries at most half full.
int bitsFor(qsizetype count)
{
    int bits = 4;
    while ((qsizetype(1) << bits) < 2 * count)
        ++bits;
    return bits;
}

} // namespace

ColorTable::ColorTable(qsizetype expected)
{
    rehash(bitsFor(expected));
}

int *ColorTable::find(qint32 color)
{
    for (quint32 i = home(color);; i = (i + 1) & m_mask) {
        Slot &slot = m_slots[i];
        if (slot.color == color)
            return &slot.number;
        if (slot.color == Free)
            return nullptr;
    }
}

std::pair<int *, bool> ColorTable::insert(qint32 color, int number)
{
    Q_ASSERT(color != Free);
    if (2 * (m_size + 1) > qsizetype(m_slots.size()))
        rehash(bitsFor(m_size + 1));
    for (quint32 i = home(color);; i = (i + 1) & m_mask) {
        Slot &slot = m_slots[i];
        if (slot.color == color)
            return {&slot.number, false};
        if (slot.color == Free) {
            slot = {color, number};
            ++m_size;
            return {&slot.number, true};
        }
    }
}

void ColorTable::rehash(int bits)
{
    std::vector<Slot> old(size_t(1) << bits, Slot{Free, 0});
    old.swap(m_slots);
    m_mask = quint32(m_slots.size() - 1);
    m_shift = 32 - bits;
    for (const Slot &slot : old) {
        if (slot.color == Free)
            continue;
        quint32 i = home(slot.color);
        while (m_slots[i].color != Free)
            i = (i + 1) & m_mask;
        m_slots[i] = slot;
    }
}
