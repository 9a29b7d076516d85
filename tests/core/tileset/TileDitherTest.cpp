// Dithering to the tiles against the every-candidate oracle, the improvement it brings on a
// gradient, and varied tiles' properties.
#include "core/picture/ColorKey.h"
#include "core/tileset/TileDither.h"
#include "core/tileset/TileGraphics.h"
#include "core/tileset/TileMatcher.h"
#include "core/tileset/TileVariety.h"
#include "oracle/Oracles.h"
#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <set>

using namespace terrain;
using picture::argb;
using picture::Pixels;
using testsupport::SyntheticTileset;

namespace {

TileGraphics graphicsOf(const SyntheticTileset &t)
{
    TileGraphics graphics;
    const Status made = TileGraphics::create(
        {t.cv5(), t.vx4(), false, t.vr4(), t.wpe(), "jungle", "/games"}, &graphics);
    EXPECT_TRUE(made.ok()) << made.reason().toStdString();
    return graphics;
}

/// Each candidate's average colour worked out pixel by pixel from the tables.
std::map<quint16, std::array<double, 3>> averages(const SyntheticTileset &t, const TileMatcher &m)
{
    std::map<quint16, std::array<double, 3>> out;
    for (const TileMatcher::Candidate &c : m.candidates()) {
        std::array<double, 3> sum{};
        bool present = false;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const QRgb p = t.pixel(c.value, x, y, &present);
                sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
            }
        out[c.value] = {sum[0] / 1024, sum[1] / 1024, sum[2] / 1024};
    }
    return out;
}

/// Seven flat greys, one tile group each (groups 2 to 8; 0 unused, 1 doodads).
SyntheticTileset greys()
{
    SyntheticTileset t;
    t.minitiles.resize(8);
    t.megatiles.resize(8);
    for (int k = 1; k <= 7; ++k) {
        const int level = (k - 1) * 255 / 6;
        t.palette[size_t(k)] = qRgb(level, level, level);
        t.minitiles[size_t(k)].fill(quint8(k));
        for (quint32 &entry : t.megatiles[size_t(k)])
            entry = quint32(k << 1);
    }
    t.groups.resize(9);
    for (int g = 2; g <= 8; ++g)
        t.groups[size_t(g)].fill(quint16(g - 1));
    return t;
}

Pixels gradient(int width, int height)
{
    Pixels p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int v = x * 255 / (width - 1);
            p.row(y)[x] = argb(v, v, v);
        }
    return p;
}

/// The picture in the tiles' average colours, colour by colour matched.
Pixels matchedPicture(const Pixels &p, const TileMatcher &m)
{
    QHash<quint16, picture::Argb> shown;
    for (const TileMatcher::Candidate &c : m.candidates())
        shown.insert(c.value, c.shown);
    Pixels out(p.width(), p.height());
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (const auto v = m.nearest(colorkey::pixelValue(p, x, y)))
                out.row(y)[x] = shown.value(*v);
    return out;
}

} // namespace

TEST(TileDither, EveryCellAsTheEveryCandidateReference)
{
    const SyntheticTileset t = SyntheticTileset::make(12);
    const TileGraphics graphics = graphicsOf(t);
    for (const QSet<int> &groups : {QSet<int>{}, QSet<int>{3, 6, 11}}) {
        const TileMatcher matcher(graphics, groups);
        ASSERT_FALSE(matcher.isEmpty());
        const auto avg = averages(t, matcher);
        // A noisy picture with holes, a map larger than it (cells beyond have no pixel).
        Pixels p(37, 23);
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) {
                const int n = testsupport::noise(x, y, 4);
                p.row(y)[x] = n % 11 == 0 ? 0 : argb(n, testsupport::noise(x, y, 5), x * 7);
            }
        const Dithered d = dither(p, 40, 25, matcher);
        const std::vector<quint16> expected = oracle::ditheredTiles(p, 40, 25, avg);
        ASSERT_EQ(d.tiles.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(d.tiles[i], expected[i]) << "cell " << i % 40 << "," << i / 40;
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 40; ++x) {
                const picture::Argb shown = d.picture.at(x, y);
                if (picture::alphaOf(p.at(x, y)) == 0) {
                    EXPECT_EQ(shown, 0u);
                    continue;
                }
                // Shown in its tile's average, rounded half up; the colour's value is the
                // lowest tile of that colour, so at most the cell's own.
                const auto &a = avg.at(d.tiles[size_t(y) * 40 + size_t(x)]);
                EXPECT_EQ(shown, argb(int(std::floor(a[0] + 0.5)), int(std::floor(a[1] + 0.5)),
                                      int(std::floor(a[2] + 0.5))));
                const qint32 colour = colorkey::pixelValue(d.picture, x, y);
                ASSERT_TRUE(d.values.contains(colour));
                EXPECT_LE(d.values.value(colour), d.tiles[size_t(y) * 40 + size_t(x)]);
            }
    }
}

TEST(TileDither, GradientReadsAtLeastAThirdCloserThanMatchedColours)
{
    const SyntheticTileset t = greys();
    const TileMatcher matcher(graphicsOf(t));
    ASSERT_EQ(matcher.candidates().size(), 7u);
    const Pixels p = gradient(64, 16);
    const double matched = oracle::blurredDistance(p, matchedPicture(p, matcher), 1.0);
    const double dithered = oracle::blurredDistance(p, dither(p, 64, 16, matcher).picture, 1.0);
    std::cout << "blurred mean CIE76: matched " << matched << ", dithered " << dithered << "\n";
    EXPECT_GT(matched, 1.0);
    EXPECT_LE(dithered, 0.7 * matched);
}

TEST(TileVariety, SameGroupNearColoursRepeatableAndNothingElseTouched)
{
    // Groups of the synthetic tileset hold four megatiles of one colour family; make two
    // entries of group 5 a near copy (the same megatile) and one far off (another family).
    SyntheticTileset t = SyntheticTileset::make(8);
    t.groups[5][3] = t.groups[5][0];
    t.groups[6][2] = 0; // megatile 0: never a candidate
    const TileGraphics graphics = graphicsOf(t);
    const TileVariety variety(graphics);
    const auto reference = t.referenceCandidates();
    const auto labOfValue = [&](quint16 v) {
        std::array<quint32, 3> sum{};
        EXPECT_TRUE(candidateSum(graphics, v, &sum));
        return labOf(sum[0] / 1024.0, sum[1] / 1024.0, sum[2] / 1024.0);
    };
    int groupsWithVariants = 0;
    for (int value = 0; value < 8 * 16 + 16; ++value) {
        const QList<quint16> vs = variety.variants(quint16(value));
        std::array<quint32, 3> sum{};
        if (!candidateSum(graphics, quint16(value), &sum)) {
            EXPECT_TRUE(vs.isEmpty()) << value; // doodads, unused, megatile 0, outside
            EXPECT_EQ(variety.at(3, 4, quint16(value)), value);
            continue;
        }
        EXPECT_TRUE(vs.contains(quint16(value))) << value;
        groupsWithVariants += vs.size() > 1;
        for (const quint16 v : vs) {
            EXPECT_EQ(v >> 4, value >> 4);
            EXPECT_LE(std::sqrt(distanceSquared(labOfValue(v), labOfValue(quint16(value)))),
                      TileVariety::MaxDistance);
        }
        // Every same-group candidate within the distance is there.
        for (int e = 0; e < 16; ++e) {
            const quint16 other = quint16((value & ~15) | e);
            if (candidateSum(graphics, other, &sum)
                && distanceSquared(labOfValue(other), labOfValue(quint16(value))) <= 2.3 * 2.3)
                EXPECT_TRUE(vs.contains(other)) << value << " " << other;
        }
    }
    EXPECT_GT(groupsWithVariants, 0);

    // A flat area of value 80 (group 5, entry 0): repeatable, at least two variants, only
    // variants written.
    const int w = 16, h = 16;
    QByteArray entries(2 * w * h, Qt::Uninitialized);
    for (int i = 0; i < w * h; ++i)
        qToLittleEndian<quint16>(quint16(i % 7 == 0 ? 20 : 80), entries.data() + 2 * i); // 20: doodad group 1
    QByteArray once = entries, twice = entries;
    variety.apply(once, w);
    variety.apply(twice, w);
    EXPECT_EQ(once, twice);
    std::set<quint16> seen;
    const QList<quint16> allowed = variety.variants(80);
    ASSERT_GE(allowed.size(), 2);
    for (int i = 0; i < w * h; ++i) {
        const quint16 v = qFromLittleEndian<quint16>(once.constData() + 2 * i);
        if (i % 7 == 0) {
            EXPECT_EQ(v, 20);
            continue;
        }
        EXPECT_TRUE(allowed.contains(v)) << v;
        seen.insert(v);
    }
    EXPECT_GE(seen.size(), 2u);
    (void)reference;
}
