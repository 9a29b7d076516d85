#pragma once

#include "core/common/Result.h"
#include "core/picture/Pixels.h"
#include "core/tileset/GameData.h"

#include <QByteArray>
#include <QHash>

#include <array>

namespace terrain {

/// One tileset's graphics, checked once, drawing any 16-bit tile value.
///
/// A value `v` means entry `v & 15` of tile group `v >> 4` (cv5, 52 bytes per group, the
/// 16 megatile numbers from byte 20); a megatile (vx4) is 4 x 4 minitiles, each entry being
/// `minitile << 1 | flipped`; a minitile (vr4) is 8 x 8 palette indices; the palette (wpe)
/// is 256 x (red, green, blue, unused).
class TileGraphics
{
public:
    static constexpr int TileSize = 32;
    static constexpr int GroupBytes = 52;
    static constexpr int MinitileBytes = 64;
    static constexpr int PaletteBytes = 256 * 4;

    /// Checks the files' sizes and keeps them.
    /// @return A failure naming the damaged file when one is empty, not a whole number of
    ///         its records, or (the palette) not exactly 1024 bytes.
    [[nodiscard]] static Status create(TilesetFiles files, TileGraphics *graphics);

    /// Draws tile `value` into 32 x 32 pixels at `dst` (`stride` pixels per row).
    /// @return false when its group, a megatile or a minitile lies outside its file; the
    ///         "missing tile" pattern is drawn then.
    bool drawTile(quint16 value, picture::Argb *dst, qsizetype stride) const;

    /// True when every part of `value` lies inside the files.
    bool isPresent(quint16 value) const;

    /// Tile `value` as a 32 x 32 image (RGB32), kept for the next call.
    picture::Pixels tile(quint16 value) const;

    /// The "missing tile" pattern: magenta and black squares of 4 pixels.
    static void drawMissingTile(picture::Argb *dst, qsizetype stride);

    /// Terrain type of tile group `group` (the group's first field): 0 for an unused group,
    /// 1 for doodads. -1 when the group lies outside the cv5 file.
    int terrainType(int group) const;
    /// Megatile number of `value`, or -1 when its group lies outside the cv5 file.
    qint64 megatileOf(quint16 value) const;
    /// Sum of red, green and blue over the 32 x 32 pixels of tile `value` (flips do not
    /// change it); false when the tile is not present.
    bool colorSum(quint16 value, std::array<quint32, 3> *sum) const;

    QString stem() const { return m_stem; }
    int groupCount() const { return int(m_cv5.size() / GroupBytes); }
    int megatileCount() const { return int(m_vx4.size() / megatileBytes()); }
    int minitileCount() const { return int(m_vr4.size() / MinitileBytes); }

private:
    int megatileBytes() const { return m_wideVx4 ? 64 : 32; }
    /// Minitile entry `i` (0..15) of megatile `megatile` (which must exist).
    quint32 minitileEntry(qint64 megatile, int i) const;

    QByteArray m_cv5, m_vx4, m_vr4;
    bool m_wideVx4 = false;
    std::array<picture::Argb, 256> m_palette{};
    QString m_stem;
    mutable QHash<quint16, picture::Pixels> m_tiles;
};

} // namespace terrain
