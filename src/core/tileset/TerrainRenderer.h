#pragma once

#include "core/picture/Pixels.h"

#include <QRect>

#include <memory>
#include <unordered_map>
#include <vector>

namespace terrain {

class TileGraphics;
struct TileMap;

/// Draws a map's terrain with one tileset, at 1 to 32 pixels per tile. Each distinct
/// value is drawn once per size and kept; the image is then filled by copying rows.
class TerrainRenderer
{
public:
    /// The largest image render() makes: a whole 256 x 256 map at 32 pixels a tile (256 MiB).
    static constexpr qint64 MaxImagePixels = qint64(256 * 32) * (256 * 32);

    explicit TerrainRenderer(std::shared_ptr<const TileGraphics> graphics);

    /// The tiles of `map` inside `tiles` (in tile units; clipped to the map) as opaque pixels,
    /// `tileSize` (1..32) pixels per tile; empty beyond MaxImagePixels. At 32 each pixel is
    /// the tile's own; smaller sizes average the tile's pixels over each output pixel's share.
    /// `missing` receives how many map positions showed the "missing tile" pattern.
    picture::Pixels render(const TileMap &map, int tileSize, QRect tiles, int *missing = nullptr);
    /// The whole map.
    picture::Pixels render(const TileMap &map, int tileSize, int *missing = nullptr);

    /// Tile `value` at `tileSize` pixels square, `tileSize` * `tileSize` pixels row by row.
    /// The pointer stays valid until the next render() or scaledTile() call.
    const picture::Argb *scaledTile(quint16 value, int tileSize, bool *present = nullptr);

    const TileGraphics &graphics() const { return *m_graphics; }

private:
    struct Scaled
    {
        std::vector<picture::Argb> pixels;
        bool present = true;
    };
    const Scaled &scaled(quint16 value, int tileSize);

    std::shared_ptr<const TileGraphics> m_graphics;
    std::unordered_map<quint32, Scaled> m_cache;
};

} // namespace terrain
