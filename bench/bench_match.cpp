// Matching every colour of a full colour list (32 767) against a tileset the size of the
// game's largest, beside the floor: every candidate's distance measured, without the tree.
#include "core/tileset/TileDither.h"
#include "core/tileset/TileMatcher.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <limits>

namespace {

constexpr int Groups = 1800;
constexpr int Megatiles = 6000;
constexpr int Minitiles = 4000;

template <typename T>
void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, sizeof(T));
}

/// A made-up tileset: random palette, minitiles of a few nearby palette entries, megatiles
/// of random minitiles, groups of random megatiles with terrain types 0 to 9. Mixed tiles
/// (16 random minitiles each) all average to nearly the same colour, the hardest case for
/// any pruning; coherent ones (each made of two minitiles, as a textured tile is) spread
/// their averages as terrain does.
terrain::TileGraphics bigTileset(bool coherent = false)
{
    QRandomGenerator random(7);
    terrain::TilesetFiles files;
    for (int i = 0; i < 256; ++i)
        put<quint32>(files.wpe, random.generate() & 0xffffff);
    for (int m = 0; m < Minitiles; ++m) {
        const int base = random.bounded(240);
        for (int p = 0; p < 64; ++p)
            files.vr4.append(char(base + random.bounded(16)));
    }
    for (int k = 0; k < Megatiles; ++k) {
        const int pair[2] = {random.bounded(Minitiles), random.bounded(Minitiles)};
        for (int i = 0; i < 16; ++i) {
            const int minitile = coherent ? pair[i % 2] : random.bounded(Minitiles);
            put<quint16>(files.vx4, quint16(minitile << 1 | (i & 1)));
        }
    }
    for (int g = 0; g < Groups; ++g) {
        put<quint16>(files.cv5, quint16(g % 10));
        for (int i = 0; i < 9; ++i)
            put<quint16>(files.cv5, 0);
        for (int e = 0; e < 16; ++e)
            put<quint16>(files.cv5, quint16(random.bounded(Megatiles)));
    }
    files.stem = QStringLiteral("bench");
    terrain::TileGraphics graphics;
    if (!terrain::TileGraphics::create(std::move(files), &graphics).ok())
        std::abort();
    return graphics;
}

QList<qint32> fullColourList()
{
    QRandomGenerator random(11);
    QList<qint32> colors;
    for (int i = 0; i < 32767; ++i)
        colors.append(qint32(random.bounded(1 << 24)));
    return colors;
}

void BM_MatchFullList(benchmark::State &state)
{
    const terrain::TileGraphics graphics = bigTileset(state.range(0) != 0);
    const QList<qint32> colors = fullColourList();
    for (auto _ : state) {
        const terrain::TileMatcher matcher(graphics); // candidates measured every time
        benchmark::DoNotOptimize(matcher.nearestAll(colors));
    }
    state.counters["candidates"] = double(terrain::TileMatcher(graphics).candidates().size());
}
BENCHMARK(BM_MatchFullList)->ArgName("coherent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The part of the above that measures the tiles: every distinct megatile's average colour.
void BM_GatherCandidates(benchmark::State &state)
{
    const terrain::TileGraphics graphics = bigTileset();
    for (auto _ : state)
        benchmark::DoNotOptimize(terrain::TileMatcher(graphics).candidates().size());
}
BENCHMARK(BM_GatherCandidates)->Unit(benchmark::kMillisecond);

void BM_FloorEveryDistance(benchmark::State &state)
{
    const terrain::TileMatcher matcher(bigTileset(state.range(0) != 0));
    const QList<qint32> colors = fullColourList();
    for (auto _ : state) {
        quint32 total = 0;
        for (qint32 color : colors) {
            const terrain::Lab q =
                terrain::labOf(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
            double best = std::numeric_limits<double>::infinity();
            quint16 bestValue = 0;
            for (const auto &c : matcher.candidates())
                if (const double d = terrain::distanceSquared(c.lab, q); d < best) {
                    best = d;
                    bestValue = c.value;
                }
            total += bestValue;
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_FloorEveryDistance)->ArgName("coherent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Dithering a 256 x 256 map (a smooth picture with grain, as a photograph fitted to the map
// is) against the same tileset, the candidates' averages already known. The floor: the same
// cells matched colour by colour, one nearest-tile search each, no diffusion.
picture::Pixels photoLike()
{
    picture::Pixels p(256, 256);
    QRandomGenerator random(3);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int n = int(random.bounded(9)) - 4;
            p.row(y)[x] = picture::argb(qBound(0, x / 2 + y / 3 + n, 255), qBound(0, 200 - x / 2 + n, 255),
                                        qBound(0, 40 + y / 2 + n, 255));
        }
    return p;
}

void BM_Dither256(benchmark::State &state)
{
    const terrain::TileMatcher matcher(bigTileset(state.range(0) != 0));
    const picture::Pixels p = photoLike();
    for (auto _ : state)
        benchmark::DoNotOptimize(terrain::dither(p, 256, 256, matcher).tiles.data());
    state.counters["candidates"] = double(matcher.candidates().size());
}
BENCHMARK(BM_Dither256)->ArgName("coherent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FloorMatchEveryCell256(benchmark::State &state)
{
    const terrain::TileMatcher matcher(bigTileset(state.range(0) != 0));
    const picture::Pixels p = photoLike();
    for (auto _ : state) {
        quint32 total = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const picture::Argb c = p.at(x, y);
                total += *matcher.nearest(picture::redOf(c) | picture::greenOf(c) << 8 | picture::blueOf(c) << 16);
            }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_FloorMatchEveryCell256)->ArgName("coherent")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
