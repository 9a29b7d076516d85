// Nearest-tile matching against a slow reference that draws every tile pixel by pixel from
// the synthetic tables, over tilesets with unused groups, doodads, megatile 0, missing
// graphics, repeated megatiles and restricted groups.
#include "core/tileset/TileMatcher.h"

#include "SyntheticTileset.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

using terrain::Lab;
using terrain::TileGraphics;
using terrain::TileMatcher;
using testsupport::SyntheticTileset;

namespace {

/// A synthetic tileset with its own terrain types (the synthetic cv5 writes the group's
/// number; these replace it).
struct Variant
{
    const char *name;
    SyntheticTileset tiles;
    std::vector<quint16> terrainTypes;
    QSet<int> groups;
};

QByteArray cv5With(const Variant &v)
{
    QByteArray cv5 = v.tiles.cv5();
    for (size_t g = 0; g < v.terrainTypes.size(); ++g)
        qToLittleEndian<quint16>(v.terrainTypes[g], cv5.data() + g * TileGraphics::GroupBytes);
    return cv5;
}

TileGraphics graphicsOf(const Variant &v)
{
    TileGraphics graphics;
    const Status made = TileGraphics::create(
        {cv5With(v), v.tiles.vx4(), false, v.tiles.vr4(), v.tiles.wpe(), "jungle", "/games"},
        &graphics);
    EXPECT_TRUE(made.ok()) << made.reason().toStdString();
    return graphics;
}

std::map<quint16, Lab> referenceCandidates(const Variant &v)
{
    return v.tiles.referenceCandidates(v.terrainTypes, v.groups);
}

std::vector<Variant> variants()
{
    std::vector<Variant> out;
    const auto numbered = [](int n) {
        std::vector<quint16> types;
        for (int g = 0; g < n; ++g)
            types.push_back(quint16(g));
        return types;
    };
    out.push_back({"plain", SyntheticTileset::make(8), numbered(8), {}});
    // Unused and doodad groups in the middle, a present value of group 9 pointing past the
    // megatiles, and one at a minitile past the file.
    Variant holes{"holes", SyntheticTileset::make(10), {5, 0, 1, 7, 1, 0, 2, 9, 3, 4}, {}};
    holes.tiles.groups[9][3] = 200;
    holes.tiles.megatiles[6][5] = 999u << 1;
    out.push_back(holes);
    // Megatile 5 made of one flat colour no other tile has, and a copy of it under another
    // number used at a lower value: equal averages, so the lower value must win whichever
    // is found first.
    Variant ties{"ties", SyntheticTileset::make(6), numbered(6), {}};
    ties.tiles.palette[255] = qRgb(250, 10, 10);
    ties.tiles.minitiles.push_back({});
    ties.tiles.minitiles.back().fill(255);
    ties.tiles.megatiles[5].fill(quint32(ties.tiles.minitiles.size() - 1) << 1);
    ties.tiles.megatiles.push_back(ties.tiles.megatiles[5]);
    ties.tiles.groups[2][0] = 16;
    ties.tiles.groups[5][15] = 5;
    out.push_back(ties);
    out.push_back({"restricted", SyntheticTileset::make(12), numbered(12), {3, 6, 11}});
    out.push_back({"restricted to doodads", SyntheticTileset::make(4), numbered(4), {0, 1}});
    return out;
}

} // namespace

TEST(TileMatcher, LabValuesOfKnownColours)
{
    struct Row
    {
        int r, g, b;
        double l, a, bb;
    };
    const Row rows[] = {
        {255, 255, 255, 100.0, 0.0, 0.0},      {0, 0, 0, 0.0, 0.0, 0.0},
        {255, 0, 0, 53.2408, 80.0925, 67.2032}, {0, 255, 0, 87.7347, -86.1827, 83.1793},
        {0, 0, 255, 32.2970, 79.1875, -107.8602}, {128, 128, 128, 53.5850, 0.0, 0.0},
        {1, 1, 1, 0.2742, 0.0, 0.0},
    };
    for (const Row &row : rows) {
        const Lab lab = terrain::labOf(row.r, row.g, row.b);
        EXPECT_NEAR(lab.l, row.l, 0.01) << row.r << "," << row.g << "," << row.b;
        EXPECT_NEAR(lab.a, row.a, 0.01) << row.r << "," << row.g << "," << row.b;
        EXPECT_NEAR(lab.b, row.bb, 0.01) << row.r << "," << row.g << "," << row.b;
    }
}

TEST(TileMatcher, ChoosesWhatTheSlowReferenceChooses)
{
    QRandomGenerator random(12);
    for (const Variant &v : variants()) {
        SCOPED_TRACE(v.name);
        const TileGraphics graphics = graphicsOf(v);
        const TileMatcher matcher(graphics, v.groups);
        const std::map<quint16, Lab> reference = referenceCandidates(v);

        // Every candidate is eligible, and every eligible value is represented by a
        // candidate showing the same megatile at the same or a lower value.
        for (const TileMatcher::Candidate &c : matcher.candidates())
            EXPECT_TRUE(reference.count(c.value)) << "value " << c.value;
        for (const auto &[value, lab] : reference) {
            bool shown = false;
            for (const TileMatcher::Candidate &c : matcher.candidates())
                shown = shown || (c.value <= value
                                  && graphics.megatileOf(c.value) == graphics.megatileOf(value));
            EXPECT_TRUE(shown) << "value " << value;
        }

        // Random colours, each candidate's own rounded average, greys and the corners.
        QList<qint32> colors;
        for (int i = 0; i < 3000; ++i)
            colors.append(qint32(random.bounded(1 << 24)));
        for (const auto &[value, lab] : reference) {
            std::array<quint32, 3> sum{};
            ASSERT_TRUE(graphics.colorSum(value, &sum));
            colors.append(qint32((sum[0] + 512) / 1024 | (sum[1] + 512) / 1024 << 8
                                 | (sum[2] + 512) / 1024 << 16));
        }
        for (int grey = 0; grey < 256; grey += 5)
            colors.append(grey * 0x010101);
        colors.append({-1, 0xffffff, 0xff, 0xff00, 0xff0000});

        const auto chosen = matcher.nearestAll(colors);
        ASSERT_EQ(chosen.size(), colors.size());
        int differences = 0;
        for (qsizetype i = 0; i < colors.size(); ++i) {
            const auto expected = colors[i] < 0 ? std::nullopt
                                                : SyntheticTileset::referenceNearest(reference, colors[i]);
            if (chosen[i] != expected && ++differences <= 5)
                ADD_FAILURE() << "colour " << colors[i] << ": chose "
                              << (chosen[i] ? int(*chosen[i]) : -1) << ", reference "
                              << (expected ? int(*expected) : -1);
        }
        EXPECT_EQ(differences, 0);
    }
}

TEST(TileMatcher, TiesExclusionsAndRestrictions)
{
    const std::vector<Variant> all = variants();
    // Ties: the flat tile's copy sits at value 2 * 16 + 0 = 32, below megatile 5's values in
    // group 5 (81, 85, ..., and 95) and above its doodad values in group 1.
    const TileMatcher tieMatcher(graphicsOf(all[2]));
    EXPECT_EQ(tieMatcher.nearest(250 | 10 << 8 | 10 << 16), std::optional<quint16>(32));

    // Exclusions: nothing from a group of type 0 or 1, megatile 0 or missing graphics.
    const Variant &holes = all[1];
    const TileGraphics holeGraphics = graphicsOf(holes);
    const TileMatcher holeMatcher(holeGraphics);
    EXPECT_FALSE(holeMatcher.isEmpty());
    for (const TileMatcher::Candidate &c : holeMatcher.candidates()) {
        EXPECT_GT(holeGraphics.terrainType(c.value >> 4), 1) << c.value;
        EXPECT_NE(holeGraphics.megatileOf(c.value), 0) << c.value;
        EXPECT_TRUE(holeGraphics.isPresent(c.value)) << c.value;
        EXPECT_NE(c.value, 9 * 16 + 3);
    }

    // Restricted to groups 3 and 11: every colour lands in them.
    const Variant &restricted = all[3];
    const TileMatcher some(graphicsOf(restricted), {3, 11});
    for (qint32 color : {0, 0xffffff, 0x3060a0, 0x20c040})
        EXPECT_TRUE(some.nearest(color) && (*some.nearest(color) >> 4 == 3
                                            || *some.nearest(color) >> 4 == 11));

    // Nothing eligible: no answer rather than a made-up value.
    const TileMatcher none(graphicsOf(all[4]), {0, 1});
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(none.nearest(0x808080), std::nullopt);
}

// Thousands of candidates, many of them with equal averages in different places: the search
// answers as measuring every candidate would, ties included.
TEST(TileMatcher, TheSearchAgreesWithMeasuringEveryCandidate)
{
    QRandomGenerator random(5);
    SyntheticTileset tiles = SyntheticTileset::make(4);
    const size_t firstMade = tiles.megatiles.size();
    for (int k = 0; k < 1500; ++k) {
        std::array<quint32, 16> mega{};
        for (quint32 &entry : mega)
            entry = quint32(random.bounded(int(tiles.minitiles.size()))) << 1 | random.bounded(2);
        tiles.megatiles.push_back(mega);
        // Every fifth one again, flipped elsewhere: the same average under another number.
        if (k % 5 == 0) {
            std::reverse(mega.begin(), mega.end());
            tiles.megatiles.push_back(mega);
        }
    }
    tiles.groups.resize(160);
    for (auto &group : tiles.groups)
        for (quint16 &megatile : group)
            megatile = quint16(firstMade + size_t(random.bounded(int(tiles.megatiles.size() - firstMade))));
    const Variant v{"big", tiles, std::vector<quint16>(160, 4), {}};
    const TileGraphics graphics = graphicsOf(v);
    const TileMatcher matcher(graphics);
    ASSERT_GT(matcher.candidates().size(), 1000u);

    QList<qint32> colors;
    for (int i = 0; i < 5000; ++i)
        colors.append(qint32(random.bounded(1 << 24)));
    for (const TileMatcher::Candidate &c : matcher.candidates()) { // exactly on a candidate
        std::array<quint32, 3> sum{};
        ASSERT_TRUE(graphics.colorSum(c.value, &sum));
        colors.append(qint32(sum[0] / 1024 | sum[1] / 1024 << 8 | sum[2] / 1024 << 16));
    }
    int differences = 0;
    const auto chosen = matcher.nearestAll(colors);
    for (qsizetype i = 0; i < colors.size(); ++i) {
        const Lab query = terrain::labOf(colors[i] & 0xff, (colors[i] >> 8) & 0xff, colors[i] >> 16);
        double best = std::numeric_limits<double>::infinity();
        quint16 bestValue = 0;
        for (const TileMatcher::Candidate &c : matcher.candidates())
            if (const double d = terrain::distanceSquared(c.lab, query);
                d < best || (d == best && c.value < bestValue)) {
                best = d;
                bestValue = c.value;
            }
        differences += chosen[i] != std::optional<quint16>(bestValue) ? 1 : 0;
    }
    EXPECT_EQ(differences, 0);
}
