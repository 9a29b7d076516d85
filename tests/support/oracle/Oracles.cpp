#include "oracle/Oracles.h"

#include "core/picture/ColorKey.h"
#include "core/picture/Srgb.h"
#include "core/tileset/TileMatcher.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>

namespace oracle {

qint16 FindColorIndex(const QString &key, const QStringList &lstColor)
{
    const QString upperKey = key.toUpper();
    const qsizetype count = std::min<qsizetype>(lstColor.size(), 32767);
    for (qsizetype i = 0; i < count; ++i) {
        const QString &entry = lstColor.at(i);
        if (entry.isEmpty())
            continue;
        const QStringList words = entry.split(QLatin1Char(' '), Qt::KeepEmptyParts);
        for (const QString &word : words) {
            if (word.toUpper() == upperKey)
                return qint16(i);
        }
    }
    return -1;
}

QStringList deduplicated(const QStringList &list)
{
    // Walk backwards so the first sighting is the last occurrence, then restore the order.
    QSet<QString> seen;
    seen.reserve(list.size());
    QStringList survivors;
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        if (!seen.contains(*it)) {
            seen.insert(*it);
            survivors.append(*it);
        }
    }
    std::reverse(survivors.begin(), survivors.end());
    return survivors;
}

namespace {

struct Rect
{
    long double sx, sy, sw, sh; // source, picture pixels
    int tx, ty, tw, th;         // target, tiles
};

Rect rectOf(picture::Fit fit, QSize picture, QSize map)
{
    const long double pw = picture.width(), ph = picture.height();
    const long double w = map.width(), h = map.height();
    switch (fit) {
    case picture::Fit::Contain: {
        const long double s = std::min(w / pw, h / ph);
        const int tw = std::max(1, int(std::floor(pw * s + 0.5L)));
        const int th = std::max(1, int(std::floor(ph * s + 0.5L)));
        return {0, 0, pw, ph, int(std::floor((w - tw) / 2)), int(std::floor((h - th) / 2)), tw, th};
    }
    case picture::Fit::Cover: {
        const long double rw = std::min(pw, ph * w / h), rh = std::min(ph, pw * h / w);
        return {(pw - rw) / 2, (ph - rh) / 2, rw, rh, 0, 0, map.width(), map.height()};
    }
    case picture::Fit::None:
        return {0, 0, w, h, 0, 0, map.width(), map.height()};
    case picture::Fit::Stretch:
        break;
    }
    return {0, 0, pw, ph, 0, 0, map.width(), map.height()};
}

long double overlap(long double a0, long double a1, long double b0, long double b1)
{
    return std::max(0.0L, std::min(a1, b1) - std::max(a0, b0));
}

picture::Argb areaTile(const picture::Pixels &picture, long double x0, long double x1,
                       long double y0, long double y1)
{
    long double sum[3] = {0, 0, 0}, colour = 0, none = 0;
    for (int r = 0; r < picture.height(); ++r)
        for (int c = 0; c < picture.width(); ++c) {
            const long double w = overlap(x0, x1, c, c + 1) * overlap(y0, y1, r, r + 1);
            if (w <= 0)
                continue;
            const picture::Argb p = picture.at(c, r);
            if (picture::alphaOf(p) == 0) {
                none += w;
                continue;
            }
            sum[0] += w * srgb::toLinear(picture::redOf(p));
            sum[1] += w * srgb::toLinear(picture::greenOf(p));
            sum[2] += w * srgb::toLinear(picture::blueOf(p));
            colour += w;
        }
    // "More than half": halves measured in real numbers are equal within rounding.
    if (colour <= 0 || none - colour > 1e-12L * (none + colour))
        return 0;
    return picture::argb(srgb::toByte(double(sum[0] / colour)), srgb::toByte(double(sum[1] / colour)),
                         srgb::toByte(double(sum[2] / colour)));
}

} // namespace

picture::Pixels fitted(const picture::Pixels &picture, QSize map, picture::FitOptions options)
{
    picture::Pixels out(map.width(), map.height());
    const Rect t = rectOf(options.fit, picture.size(), map);
    for (int j = 0; j < t.th; ++j)
        for (int i = 0; i < t.tw; ++i) {
            const long double x0 = t.sx + i * t.sw / t.tw, x1 = t.sx + (i + 1) * t.sw / t.tw;
            const long double y0 = t.sy + j * t.sh / t.th, y1 = t.sy + (j + 1) * t.sh / t.th;
            picture::Argb p = 0;
            if (options.resample == picture::Resample::Area) {
                p = areaTile(picture, x0, x1, y0, y1);
            } else {
                const int c = int(std::floor(t.sx + (i + 0.5L) * t.sw / t.tw));
                const int r = int(std::floor(t.sy + (j + 0.5L) * t.sh / t.th));
                p = picture.at(c, r);
                if (picture::alphaOf(p) == 0)
                    p = 0;
            }
            out.row(t.ty + j)[t.tx + i] = p;
        }
    return out;
}

std::vector<quint16> ditheredTiles(const picture::Pixels &picture, int width, int height,
                                   const std::map<quint16, std::array<double, 3>> &averages)
{
    std::vector<quint16> tiles(size_t(width) * size_t(height), 0);
    // error[y][x][channel], whole map
    std::vector<std::array<double, 3>> error(size_t(width) * size_t(height) + size_t(width) + 2);
    const auto at = [&](int x, int y) -> std::array<double, 3> * {
        if (x < 0 || x >= width || y >= height)
            return nullptr;
        return &error[size_t(y) * size_t(width) + size_t(x)];
    };
    for (int y = 0; y < height; ++y) {
        const int dir = y % 2 == 0 ? 1 : -1;
        for (int n = 0; n < width; ++n) {
            const int x = dir > 0 ? n : width - 1 - n;
            const picture::Argb p = picture.at(x, y);
            if (picture::alphaOf(p) == 0)
                continue;
            const int channel[3] = {picture::redOf(p), picture::greenOf(p), picture::blueOf(p)};
            std::array<double, 3> c{};
            for (int k = 0; k < 3; ++k)
                c[size_t(k)] = std::clamp(srgb::toLinear(channel[k]) + (*at(x, y))[size_t(k)], 0.0, 1.0);
            const terrain::Lab lab = terrain::labOfLinear(c[0], c[1], c[2]);
            double best = std::numeric_limits<double>::infinity();
            quint16 chosen = 0;
            std::array<double, 3> chosenLinear{};
            for (const auto &[value, avg] : averages) { // ascending: a tie keeps the lower
                const double d = terrain::distanceSquared(terrain::labOf(avg[0], avg[1], avg[2]), lab);
                if (d < best) {
                    best = d;
                    chosen = value;
                    chosenLinear = {srgb::toLinear(avg[0]), srgb::toLinear(avg[1]), srgb::toLinear(avg[2])};
                }
            }
            tiles[size_t(y) * size_t(width) + size_t(x)] = chosen;
            const std::pair<int, int> spots[4] = {{x + dir, y}, {x - dir, y + 1}, {x, y + 1}, {x + dir, y + 1}};
            const int share[4] = {7, 3, 5, 1};
            for (int s = 0; s < 4; ++s)
                if (auto *e = at(spots[s].first, spots[s].second))
                    for (size_t k = 0; k < 3; ++k)
                        (*e)[k] += (c[k] - chosenLinear[k]) * share[s] / 16;
        }
    }
    return tiles;
}

double blurredDistance(const picture::Pixels &a, const picture::Pixels &b, double sigma)
{
    const int w = a.width(), h = a.height();
    const auto blurred = [&](const picture::Pixels &p, int x, int y) {
        double sum[3] = {0, 0, 0}, weight = 0;
        for (int v = 0; v < h; ++v)
            for (int u = 0; u < w; ++u) {
                const picture::Argb q = p.at(u, v);
                if (picture::alphaOf(q) == 0)
                    continue;
                const double g = std::exp(-((u - x) * (u - x) + (v - y) * (v - y)) / (2 * sigma * sigma));
                sum[0] += g * srgb::toLinear(picture::redOf(q));
                sum[1] += g * srgb::toLinear(picture::greenOf(q));
                sum[2] += g * srgb::toLinear(picture::blueOf(q));
                weight += g;
            }
        return terrain::labOfLinear(sum[0] / weight, sum[1] / weight, sum[2] / weight);
    };
    double total = 0;
    int cells = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (picture::alphaOf(a.at(x, y)) == 0 || picture::alphaOf(b.at(x, y)) == 0)
                continue;
            total += std::sqrt(terrain::distanceSquared(blurred(a, x, y), blurred(b, x, y)));
            ++cells;
        }
    return cells ? total / cells : 0;
}

} // namespace oracle
