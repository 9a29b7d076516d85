#include "core/tileset/TileMatcher.h"

#include "core/convert/Conversion.h"
#include "core/picture/Srgb.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace terrain {

namespace {

constexpr int ProgressEvery = 4096;
// Ranges this small are measured one by one; splitting them further costs more than it saves.
constexpr size_t LeafSize = 8;

double labCurve(double t)
{
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

} // namespace

Lab labOfLinear(double r, double g, double b)
{
    // sRGB primaries to XYZ, divided by the D65 white point.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = labCurve(x), fy = labCurve(y), fz = labCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

namespace {

double coordinate(const Lab &lab, int axis)
{
    return axis == 0 ? lab.l : axis == 1 ? lab.a : lab.b;
}

/// Lab of an 8-bit colour: labOf() with its sRGB curve looked up, same bits.
Lab labOfBytes(int red, int green, int blue)
{
    const std::array<double, 256> &curve = srgb::linearTable();
    return labOfLinear(curve[size_t(red)], curve[size_t(green)], curve[size_t(blue)]);
}

bool eligibleGroup(const TileGraphics &graphics, int group, const QSet<int> &groups)
{
    const int type = graphics.terrainType(group);
    return type > 1 && (groups.isEmpty() || groups.contains(group));
}

} // namespace

bool candidateSum(const TileGraphics &graphics, quint16 value, std::array<quint32, 3> *sum)
{
    return value <= conversion::MaxTileValue && eligibleGroup(graphics, value >> 4, {})
        && graphics.megatileOf(value) > 0 && graphics.colorSum(value, sum);
}

Lab labOf(double red, double green, double blue)
{
    return labOfLinear(srgb::toLinear(red), srgb::toLinear(green), srgb::toLinear(blue));
}

TileMatcher::TileMatcher(const TileGraphics &graphics, const QSet<int> &groups)
{
    // Real tilesets repeat megatiles across many values; each is measured once and kept
    // under its lowest value, which is the one a tie would choose anyway.
    QSet<qint64> seen;
    const int lastGroup = std::min(graphics.groupCount() - 1, conversion::LastTileGroup);
    for (int group = 0; group <= lastGroup; ++group) {
        if (!eligibleGroup(graphics, group, groups))
            continue;
        for (int entry = 0; entry < 16; ++entry) {
            const auto value = quint16(group << 4 | entry);
            const qint64 megatile = graphics.megatileOf(value);
            std::array<quint32, 3> sum{};
            if (megatile <= 0 || seen.contains(megatile) || !graphics.colorSum(value, &sum))
                continue;
            seen.insert(megatile);
            constexpr double pixels = TileGraphics::TileSize * TileGraphics::TileSize;
            constexpr quint32 count = TileGraphics::TileSize * TileGraphics::TileSize;
            const auto rounded = [](quint32 total) { return int((2 * total + count) / (2 * count)); };
            m_candidates.push_back(
                {value, labOf(sum[0] / pixels, sum[1] / pixels, sum[2] / pixels),
                 {srgb::toLinear(sum[0] / pixels), srgb::toLinear(sum[1] / pixels),
                  srgb::toLinear(sum[2] / pixels)},
                 picture::argb(rounded(sum[0]), rounded(sum[1]), rounded(sum[2]))});
        }
    }
    m_axis.assign(m_candidates.size(), 0);
    build(0, m_candidates.size());
}

void TileMatcher::build(size_t lo, size_t hi)
{
    if (hi - lo <= LeafSize)
        return;
    Lab low{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
            std::numeric_limits<double>::infinity()};
    Lab high{-low.l, -low.a, -low.b};
    for (size_t i = lo; i < hi; ++i) {
        const Lab &c = m_candidates[i].lab;
        low = {std::min(low.l, c.l), std::min(low.a, c.a), std::min(low.b, c.b)};
        high = {std::max(high.l, c.l), std::max(high.a, c.a), std::max(high.b, c.b)};
    }
    int axis = 0;
    for (int k = 1; k < 3; ++k)
        if (coordinate(high, k) - coordinate(low, k) > coordinate(high, axis) - coordinate(low, axis))
            axis = k;
    const size_t mid = lo + (hi - lo) / 2;
    const auto first = m_candidates.begin();
    std::nth_element(first + qsizetype(lo), first + qsizetype(mid), first + qsizetype(hi),
                     [axis](const Candidate &x, const Candidate &y) {
                         const double cx = coordinate(x.lab, axis), cy = coordinate(y.lab, axis);
                         return cx != cy ? cx < cy : x.value < y.value;
                     });
    m_axis[mid] = quint8(axis);
    build(lo, mid);
    build(mid + 1, hi);
}

/// The nearest candidate so far; equal distances keep the lower value, so the answer
/// never depends on the order candidates are met.
struct TileMatcher::Best
{
    double distance = std::numeric_limits<double>::infinity();
    quint16 value = 0;
    qsizetype index = -1;

    void consider(const std::vector<Candidate> &all, size_t i, const Lab &query)
    {
        const Candidate &c = all[i];
        const double d = distanceSquared(c.lab, query);
        if (d < distance || (d == distance && c.value < value)) {
            distance = d;
            value = c.value;
            index = qsizetype(i);
        }
    }
};

void TileMatcher::search(size_t lo, size_t hi, const Lab &query, Best &best,
                         std::array<double, 3> &offsets, double box) const
{
    if (hi - lo <= LeafSize) {
        for (size_t i = lo; i < hi; ++i)
            best.consider(m_candidates, i, query);
        return;
    }
    const size_t mid = lo + (hi - lo) / 2;
    const int axis = m_axis[mid];
    const double diff = coordinate(query, axis) - coordinate(m_candidates[mid].lab, axis);
    best.consider(m_candidates, mid, query);
    const bool left = diff < 0;
    search(left ? lo : mid + 1, left ? mid : hi, query, best, offsets, box);
    // The far side lies across the split plane: its nearest possible point is `diff` away
    // along this axis instead of the region's own offset. It is searched while that point
    // is no farther than the best so far (an equal one may have a lower value); the margin
    // covers rounding in the running sum, so it can only add work, never skip a tile.
    const double old = offsets[size_t(axis)];
    const double farBox = box - old * old + diff * diff;
    if (farBox * (1 - 1e-9) > best.distance)
        return;
    offsets[size_t(axis)] = diff;
    search(left ? mid + 1 : lo, left ? hi : mid, query, best, offsets, farBox);
    offsets[size_t(axis)] = old;
}

std::optional<quint16> TileMatcher::nearest(qint32 color) const
{
    if (color < 0 || m_candidates.empty())
        return std::nullopt;
    const Lab query = labOfBytes(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
    return m_candidates[size_t(nearestIndex(query))].value;
}

qsizetype TileMatcher::nearestIndex(const Lab &lab, qsizetype hint) const
{
    if (m_candidates.empty())
        return -1;
    Best best;
    // The search still visits every candidate no farther than the hint, so ties resolve
    // exactly as without it.
    if (hint >= 0 && hint < qsizetype(m_candidates.size()))
        best.consider(m_candidates, size_t(hint), lab);
    std::array<double, 3> offsets{};
    search(0, m_candidates.size(), lab, best, offsets, 0);
    return best.index;
}

QList<std::optional<quint16>> TileMatcher::nearestAll(
    const QList<qint32> &colors, const std::function<void(int, int)> &progress) const
{
    QList<std::optional<quint16>> chosen;
    chosen.reserve(colors.size());
    for (qsizetype i = 0; i < colors.size(); ++i) {
        if (progress && i > 0 && i % ProgressEvery == 0)
            progress(int(i), int(colors.size()));
        chosen.append(nearest(colors[i]));
    }
    if (progress)
        progress(int(colors.size()), int(colors.size()));
    return chosen;
}

} // namespace terrain
