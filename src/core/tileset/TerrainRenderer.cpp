#include "core/tileset/TerrainRenderer.h"

#include "core/tileset/TileGraphics.h"
#include "core/tileset/TileMap.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace terrain {

using picture::Argb;

namespace {

constexpr int Full = TileGraphics::TileSize;
// A 256 x 256 map of distinct values at 32 pixels would keep 256 MB; start again first.
constexpr size_t MaxCachedTiles = 16384;

/// First source pixel of output pixel `i`: source pixel u belongs to output pixel
/// u * size / 32, so output pixel i starts at ceil(i * 32 / size).
int firstSource(int i, int size)
{
    return (i * Full + size - 1) / size;
}

/// Averages the 32 x 32 tile `src` down to `size` x `size`, each output pixel being the
/// rounded mean of the source pixels that belong to it.
void shrink(const Argb *src, int size, Argb *dst)
{
    for (int j = 0; j < size; ++j) {
        const int v0 = firstSource(j, size), v1 = firstSource(j + 1, size);
        for (int i = 0; i < size; ++i) {
            const int u0 = firstSource(i, size), u1 = firstSource(i + 1, size);
            quint32 r = 0, g = 0, b = 0;
            for (int v = v0; v < v1; ++v)
                for (int u = u0; u < u1; ++u) {
                    const Argb p = src[v * Full + u];
                    r += quint32(picture::redOf(p));
                    g += quint32(picture::greenOf(p));
                    b += quint32(picture::blueOf(p));
                }
            const quint32 n = quint32((v1 - v0) * (u1 - u0));
            dst[j * size + i] = picture::argb(int((r + n / 2) / n), int((g + n / 2) / n),
                                              int((b + n / 2) / n));
        }
    }
}

} // namespace

TerrainRenderer::TerrainRenderer(std::shared_ptr<const TileGraphics> graphics)
    : m_graphics(std::move(graphics))
{
}

const TerrainRenderer::Scaled &TerrainRenderer::scaled(quint16 value, int tileSize)
{
    const quint32 key = quint32(tileSize) << 16 | value;
    if (const auto found = m_cache.find(key); found != m_cache.end())
        return found->second;
    Scaled made;
    made.pixels.resize(size_t(tileSize) * tileSize);
    if (tileSize == Full) {
        made.present = m_graphics->drawTile(value, made.pixels.data(), Full);
    } else {
        std::vector<Argb> full(Full * Full);
        made.present = m_graphics->drawTile(value, full.data(), Full);
        shrink(full.data(), tileSize, made.pixels.data());
    }
    return m_cache.emplace(key, std::move(made)).first->second;
}

const Argb *TerrainRenderer::scaledTile(quint16 value, int tileSize, bool *present)
{
    tileSize = std::clamp(tileSize, 1, Full);
    const Scaled &tile = scaled(value, tileSize);
    if (present)
        *present = tile.present;
    return tile.pixels.data();
}

picture::Pixels TerrainRenderer::render(const TileMap &map, int tileSize, int *missing)
{
    return render(map, tileSize, QRect(0, 0, map.width, map.height), missing);
}

picture::Pixels TerrainRenderer::render(const TileMap &map, int tileSize, QRect tiles, int *missing)
{
    tileSize = std::clamp(tileSize, 1, Full);
    tiles = tiles.intersected(QRect(0, 0, map.width, map.height));
    if (missing)
        *missing = 0;
    if (tiles.isEmpty() || map.values.size() != qsizetype(map.width) * map.height)
        return {};
    if (m_cache.size() > MaxCachedTiles)
        m_cache.clear();

    // Each distinct value is looked up once; the rows then only copy.
    const int w = tiles.width(), h = tiles.height();
    std::vector<const Scaled *> row(size_t(w) * h);
    std::vector<const Scaled *> byValue(65536, nullptr);
    int absent = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const quint16 value = map.at(tiles.x() + x, tiles.y() + y);
            const Scaled *&tile = byValue[value];
            if (!tile)
                tile = &scaled(value, tileSize);
            row[size_t(y) * w + x] = tile;
            absent += tile->present ? 0 : 1;
        }
    if (missing)
        *missing = absent;

    if (qint64(w) * tileSize * h * tileSize > MaxImagePixels)
        return {};
    picture::Pixels image;
    try {
        image = picture::Pixels(w * tileSize, h * tileSize);
    } catch (const std::bad_alloc &) {
        return {}; // no memory for it: no image, which the callers report, not a crash
    }
    const size_t rowBytes = size_t(tileSize) * sizeof(Argb);
    for (int y = 0; y < h; ++y) {
        const Scaled *const *line = &row[size_t(y) * w];
        for (int v = 0; v < tileSize; ++v) {
            Argb *out = image.row(y * tileSize + v);
            for (int x = 0; x < w; ++x, out += tileSize)
                std::memcpy(out, line[x]->pixels.data() + size_t(v) * tileSize, rowBytes);
        }
    }
    return image;
}

} // namespace terrain
