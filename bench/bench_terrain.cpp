// Drawing a 256 x 256 map's terrain at 32 pixels per tile (an 8192 x 8192 image), with
// the tiles already drawn and from nothing, against the floor: a fresh image of the same
// size filled row by row from one tile row (the memory traffic alone).
#include "core/tileset/TerrainRenderer.h"
#include "core/tileset/TileGraphics.h"
#include "core/tileset/TileMap.h"

#include <QImage>
#include <QtEndian>

#include <cstring>
#include <memory>

#include <benchmark/benchmark.h>

namespace {

constexpr int MapTiles = 256;

/// A made-up tileset: 64 groups, 256 megatiles, 1024 minitiles, all references valid.
std::shared_ptr<terrain::TileGraphics> syntheticGraphics()
{
    terrain::TilesetFiles files;
    files.cv5 = QByteArray(64 * 52, '\0');
    for (int g = 0; g < 64; ++g)
        for (int e = 0; e < 16; ++e)
            qToLittleEndian<quint16>(quint16((g * 16 + e) % 256), files.cv5.data() + g * 52 + 20 + 2 * e);
    files.vx4 = QByteArray(256 * 32, '\0');
    for (int i = 0; i < 256 * 16; ++i)
        qToLittleEndian<quint16>(quint16(((i * 7) % 1024) << 1 | (i & 1)), files.vx4.data() + 2 * i);
    files.vr4 = QByteArray(1024 * 64, '\0');
    for (int i = 0; i < files.vr4.size(); ++i)
        files.vr4[i] = char((i * 31) % 251);
    files.wpe = QByteArray(1024, '\0');
    for (int i = 0; i < 1024; ++i)
        files.wpe[i] = char(i);
    auto graphics = std::make_shared<terrain::TileGraphics>();
    if (!terrain::TileGraphics::create(std::move(files), graphics.get()).ok())
        std::abort();
    return graphics;
}

/// A 256 x 256 map using `distinct` values.
terrain::TileMap syntheticMap(int distinct)
{
    terrain::TileMap map;
    map.width = map.height = MapTiles;
    for (int i = 0; i < MapTiles * MapTiles; ++i)
        map.values.append(quint16((i * 2654435761u >> 7) % quint32(distinct)));
    return map;
}

void BM_RenderMapWarm(benchmark::State &state)
{
    terrain::TerrainRenderer renderer(syntheticGraphics());
    const terrain::TileMap map = syntheticMap(int(state.range(0)));
    benchmark::DoNotOptimize(renderer.render(map, 32));
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(map, 32));
}
BENCHMARK(BM_RenderMapWarm)->Arg(16)->Arg(1024)->Unit(benchmark::kMillisecond);

void BM_RenderMapCold(benchmark::State &state)
{
    const auto graphics = syntheticGraphics();
    const terrain::TileMap map = syntheticMap(int(state.range(0)));
    for (auto _ : state) {
        terrain::TerrainRenderer renderer(graphics);
        benchmark::DoNotOptimize(renderer.render(map, 32));
    }
}
BENCHMARK(BM_RenderMapCold)->Arg(16)->Arg(1024)->Unit(benchmark::kMillisecond);

// The whole map at 4 pixels per tile, the preview's "fit" on a small window.
void BM_RenderMapSmall(benchmark::State &state)
{
    terrain::TerrainRenderer renderer(syntheticGraphics());
    const terrain::TileMap map = syntheticMap(1024);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(map, 4));
}
BENCHMARK(BM_RenderMapSmall)->Unit(benchmark::kMillisecond);

void BM_FloorFreshImageCopiedRows(benchmark::State &state)
{
    QRgb tileRow[32];
    for (int i = 0; i < 32; ++i)
        tileRow[i] = qRgb(i, 2 * i, 3 * i);
    for (auto _ : state) {
        QImage image(MapTiles * 32, MapTiles * 32, QImage::Format_RGB32);
        uchar *bits = image.bits();
        for (int y = 0; y < image.height(); ++y) {
            auto *out = reinterpret_cast<QRgb *>(bits + qsizetype(y) * image.bytesPerLine());
            for (int x = 0; x < MapTiles; ++x)
                std::memcpy(out + 32 * x, tileRow, sizeof tileRow);
        }
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_FloorFreshImageCopiedRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
