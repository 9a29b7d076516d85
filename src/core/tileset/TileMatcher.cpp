#include "core/tileset/TileMatcher.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace terrain {

namespace {

// Highest tile value a map cell or a colour file accepts.
constexpr int MaxTileValue = 32767;
constexpr int ProgressEvery = 4096;

double linear(double channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double labCurve(double t)
{
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

bool eligibleGroup(const TileGraphics &graphics, int group, const QSet<int> &groups)
{
    const int type = graphics.terrainType(group);
    return type > 1 && (groups.isEmpty() || groups.contains(group));
}

} // namespace

Lab labOf(double red, double green, double blue)
{
    const double r = linear(red), g = linear(green), b = linear(blue);
    // sRGB primaries to XYZ, divided by the D65 white point.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = labCurve(x), fy = labCurve(y), fz = labCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

TileMatcher::TileMatcher(const TileGraphics &graphics, const QSet<int> &groups)
{
    // Real tilesets repeat megatiles across many values; each is measured once and kept
    // under its lowest value, which is the one a tie would choose anyway.
    QSet<qint64> seen;
    const int lastGroup = std::min(graphics.groupCount() - 1, MaxTileValue >> 4);
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
            m_candidates.push_back({value, labOf(sum[0] / pixels, sum[1] / pixels,
                                                 sum[2] / pixels)});
        }
    }
    std::sort(m_candidates.begin(), m_candidates.end(),
              [](const Candidate &x, const Candidate &y) {
                  return x.lab.l != y.lab.l ? x.lab.l < y.lab.l : x.value < y.value;
              });
}

std::optional<quint16> TileMatcher::nearest(qint32 color) const
{
    if (color < 0 || m_candidates.empty())
        return std::nullopt;
    const Lab query = labOf(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
    // Candidates are in order of lightness: walk outwards from the query's lightness and
    // stop each way once the lightness difference alone is farther than the best so far.
    const auto start = std::lower_bound(
        m_candidates.begin(), m_candidates.end(), query.l,
        [](const Candidate &c, double l) { return c.lab.l < l; });
    double best = std::numeric_limits<double>::infinity();
    quint16 bestValue = 0;
    const auto consider = [&](const Candidate &c) {
        const double dl = c.lab.l - query.l;
        if (dl * dl > best)
            return false;
        const double d = distanceSquared(c.lab, query);
        if (d < best || (d == best && c.value < bestValue)) {
            best = d;
            bestValue = c.value;
        }
        return true;
    };
    for (auto up = start; up != m_candidates.end() && consider(*up); ++up) {
    }
    for (auto down = start; down != m_candidates.begin() && consider(*(down - 1)); --down) {
    }
    return bestValue;
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
