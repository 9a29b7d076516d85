#include "core/tileset/TileVariety.h"

#include "core/tileset/TileGraphics.h"
#include "core/tileset/TileMatcher.h"

#include <QtEndian>

#include <optional>

namespace terrain {

namespace {

constexpr int Values = 32768;

quint32 mix(quint32 h)
{
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

} // namespace

TileVariety::TileVariety(const TileGraphics &graphics) : m_first(Values + 1, 0)
{
    constexpr double pixels = TileGraphics::TileSize * TileGraphics::TileSize;
    const int groups = qMin(graphics.groupCount(), Values >> 4);
    for (int group = 0; group < groups; ++group) {
        std::optional<Lab> lab[16];
        for (int entry = 0; entry < 16; ++entry) {
            std::array<quint32, 3> sum{};
            if (candidateSum(graphics, quint16(group << 4 | entry), &sum))
                lab[entry] = labOf(sum[0] / pixels, sum[1] / pixels, sum[2] / pixels);
        }
        for (int entry = 0; entry < 16; ++entry) {
            const int value = group << 4 | entry;
            m_first[size_t(value)] = quint32(m_values.size());
            if (!lab[entry])
                continue;
            for (int other = 0; other < 16; ++other)
                if (lab[other]
                    && distanceSquared(*lab[entry], *lab[other]) <= MaxDistance * MaxDistance)
                    m_values.push_back(quint16(group << 4 | other));
        }
    }
    for (int value = groups << 4; value <= Values; ++value)
        m_first[size_t(value)] = quint32(m_values.size());
}

QList<quint16> TileVariety::variants(quint16 value) const
{
    if (value >= Values)
        return {};
    return QList<quint16>(m_values.begin() + m_first[value], m_values.begin() + m_first[value + 1]);
}

quint16 TileVariety::at(int x, int y, quint16 value) const
{
    if (value >= Values)
        return value;
    const quint32 first = m_first[value], count = m_first[value + 1] - first;
    if (count <= 1)
        return value;
    const quint32 h = mix(quint32(x) * 0x9E3779B1u ^ mix(quint32(y) * 0x85EBCA77u ^ value));
    return m_values[first + h % count];
}

void TileVariety::apply(QByteArray &entries, int width) const
{
    char *cell = entries.data();
    const qsizetype cells = entries.size() / 2;
    for (qsizetype i = 0; i < cells; ++i, cell += 2) {
        const int x = int(i % width), y = int(i / width);
        qToLittleEndian<quint16>(at(x, y, qFromLittleEndian<quint16>(cell)), cell);
    }
}

} // namespace terrain
