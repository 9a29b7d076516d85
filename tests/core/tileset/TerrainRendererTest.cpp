// Whole maps and parts of maps at every tile size against tile-by-tile references, the
// missing count, and the terrain read from scenario bytes.
#include "core/qtimage/QtImage.h"
#include "core/tileset/TerrainRenderer.h"

#include "core/tileset/TileGraphics.h"
#include "core/tileset/TileMap.h"

#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QtEndian>

#include <cmath>
#include <memory>

#include <gtest/gtest.h>

using terrain::TerrainRenderer;
using terrain::TileGraphics;
using terrain::TileMap;
using testsupport::SyntheticTileset;

namespace {

std::shared_ptr<TileGraphics> graphicsOf(const SyntheticTileset &t)
{
    auto graphics = std::make_shared<TileGraphics>();
    const Status made = TileGraphics::create(
        {t.cv5(), t.vx4(), false, t.vr4(), t.wpe(), QStringLiteral("ice"), QString()},
        graphics.get());
    EXPECT_TRUE(made.ok()) << made.reason().toStdString();
    return graphics;
}

/// A map of mixed values: present ones, a missing group (5 * 16 + 1) and the top value.
TileMap mixedMap(int width, int height)
{
    TileMap map;
    map.width = width;
    map.height = height;
    for (int i = 0; i < width * height; ++i) {
        const int pick = (i * 7919) % 67;
        map.values.append(pick == 3 ? 81 : pick == 5 ? 65535 : quint16(pick % 64));
    }
    return map;
}

/// The renderer's pixels as the windows show them.
QImage shown(const picture::Pixels &pixels)
{
    return qtimage::toImage(pixels, QImage::Format_RGB32);
}

/// Output pixel (i, j) of a tile at `size`: the rounded mean of the 32-pixel tile over the
/// source pixels it covers, worked out in floating point.
QRgb referenceScaled(const QImage &tile, int size, int i, int j)
{
    const double step = 32.0 / size;
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int v = 0; v < 32; ++v)
        for (int u = 0; u < 32; ++u)
            if (int(u / step + 1e-9) == i && int(v / step + 1e-9) == j) {
                const QRgb p = tile.pixel(u, v);
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
                ++n;
            }
    return qRgb(int(std::floor(r / n + 0.5)), int(std::floor(g / n + 0.5)),
                int(std::floor(b / n + 0.5)));
}

} // namespace

TEST(TerrainRenderer, EveryTileSizeMatchesTheTileByTileReference)
{
    const SyntheticTileset t = SyntheticTileset::make(4);
    const auto graphics = graphicsOf(t);
    const TileMap map = mixedMap(9, 7);
    int expectedMissing = 0;
    for (quint16 v : map.values)
        expectedMissing += graphics->isPresent(v) ? 0 : 1;
    ASSERT_GT(expectedMissing, 0);

    TerrainRenderer renderer(graphics);
    for (int size : {32, 16, 8, 5, 3, 2, 1}) {
        int missing = -1;
        const QImage image = shown(renderer.render(map, size, &missing));
        ASSERT_EQ(image.size(), QSize(9 * size, 7 * size)) << size;
        EXPECT_EQ(missing, expectedMissing) << size;
        int wrong = 0;
        for (int y = 0; y < map.height; ++y)
            for (int x = 0; x < map.width; ++x) {
                const QImage tile = shown(graphics->tile(map.at(x, y)));
                for (int j = 0; j < size; ++j)
                    for (int i = 0; i < size; ++i) {
                        const QRgb expected =
                            size == 32 ? tile.pixel(i, j) : referenceScaled(tile, size, i, j);
                        wrong += image.pixel(x * size + i, y * size + j) != expected;
                    }
            }
        EXPECT_EQ(wrong, 0) << "tile size " << size;
    }
}

TEST(TerrainRenderer, PartsAreCropsOfTheWholeAndClipToTheMap)
{
    const auto graphics = graphicsOf(SyntheticTileset::make(4));
    const TileMap map = mixedMap(12, 10);
    TerrainRenderer renderer(graphics);
    for (int size : {32, 4}) {
        const QImage whole = shown(renderer.render(map, size));
        for (QRect part : {QRect(3, 2, 5, 4), QRect(0, 0, 1, 1), QRect(10, 8, 9, 9),
                           QRect(-3, -3, 5, 5)}) {
            int missing = -1;
            const QImage image = shown(renderer.render(map, size, part, &missing));
            const QRect clipped = part.intersected(QRect(0, 0, 12, 10));
            EXPECT_EQ(image, whole.copy(QRect(clipped.topLeft() * size, clipped.size() * size)));
            int expected = 0;
            for (int y = clipped.top(); y <= clipped.bottom(); ++y)
                for (int x = clipped.left(); x <= clipped.right(); ++x)
                    expected += graphics->isPresent(map.at(x, y)) ? 0 : 1;
            EXPECT_EQ(missing, expected);
        }
        EXPECT_TRUE(renderer.render(map, size, QRect(12, 0, 3, 3)).isNull());
    }
    TileMap broken = map;
    broken.values.removeLast();
    EXPECT_TRUE(renderer.render(broken, 32).isNull());
}

TEST(TileMap, ReadsValuesSizeAndTilesetFromScenarioBytes)
{
    QByteArray bytes = testsupport::scenario(64, 96, 0x0F, 0x33);
    const qsizetype mtxm = bytes.indexOf("MTXM") + 8;
    for (int i = 0; i < 64 * 96; ++i)
        qToLittleEndian<quint16>(quint16(i * 3), bytes.data() + mtxm + 2 * i);
    TileMap map;
    ASSERT_TRUE(terrain::readTileMap(bytes, "a.scm", &map).ok());
    EXPECT_EQ(map.width, 64);
    EXPECT_EQ(map.height, 96);
    EXPECT_EQ(map.tileset, 7);
    EXPECT_EQ(map.at(5, 2), quint16((2 * 64 + 5) * 3));
    EXPECT_EQ(map.at(63, 95), quint16((64 * 96 - 1) * 3));

    // A short MTXM section (by its length, then by the file's end) leaves zeros.
    QByteArray shortLength = bytes;
    qToLittleEndian<quint32>(10, shortLength.data() + mtxm - 4);
    ASSERT_TRUE(terrain::readTileMap(shortLength, "a.scm", &map).ok());
    EXPECT_EQ(map.at(4, 0), 12);
    EXPECT_EQ(map.at(5, 0), 0);
    ASSERT_TRUE(terrain::readTileMap(bytes.left(mtxm + 7), "a.scm", &map).ok());
    EXPECT_EQ(map.at(2, 0), 6);
    EXPECT_EQ(map.at(3, 0), 0);
    EXPECT_EQ(map.values.size(), 64 * 96);

    struct Broken
    {
        QByteArray bytes;
        const char *mentions;
    };
    const Broken broken[] = {
        {QByteArray(bytes).replace("MTXM", "MTXX"), "MTXM"},
        {QByteArray(bytes).replace("ERA ", "ERB "), "ERA "},
        {bytes.left(bytes.indexOf("DIM ") + 9), "DIM "},
        {testsupport::scenario(65, 64), "65 x 64"},
    };
    for (const Broken &b : broken) {
        const Status read = terrain::readTileMap(b.bytes, "a.scm", &map);
        ASSERT_FALSE(read.ok()) << b.mentions;
        EXPECT_TRUE(read.reason().contains("a.scm")) << read.reason().toStdString();
        EXPECT_TRUE(read.reason().contains(b.mentions)) << read.reason().toStdString();
    }
}
