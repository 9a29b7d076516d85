#pragma once

#include <QByteArray>
#include <QList>

#include <vector>

namespace terrain {

class TileGraphics;

/// Varies the tiles of a conversion so that a flat area does not repeat one tile: each
/// written value that may stand for a colour (candidateSum) is replaced by one of its
/// variants, chosen by a fixed hash of the cell's position and the value, so the same
/// conversion always writes the same tiles. Other values (doodads, megatile 0, values
/// outside the tileset) are written unchanged.
class TileVariety
{
public:
    /// Largest CIE76 distance between a tile's average colour and a variant's.
    static constexpr double MaxDistance = 2.3;

    explicit TileVariety(const TileGraphics &graphics);

    /// The values that may replace `value`, lowest first: the candidates of its tile group
    /// (value >> 4) within MaxDistance of it, itself among them. Empty for a value that is
    /// not a candidate.
    [[nodiscard]] QList<quint16> variants(quint16 value) const;
    /// The value written at cell (x, y) for `value`.
    [[nodiscard]] quint16 at(int x, int y, quint16 value) const;
    /// Replaces every entry (16-bit little-endian, row by row, `width` a row) by at().
    void apply(QByteArray &entries, int width) const;

private:
    std::vector<quint32> m_first; ///< per value: where its variants start in m_values
    std::vector<quint16> m_values;
};

} // namespace terrain
