#include "core/picture/PictureFit.h"

#include "core/picture/PictureFormats.h"
#include "core/picture/Srgb.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <vector>

namespace picture {

namespace {

using Wide = __int128; // tile edges: picture size x map size x map size

constexpr std::array<const char *, 4> FitNames = {"none", "stretch", "contain", "cover"};
constexpr std::array<const char *, 2> ResampleNames = {"area", "nearest"};

qint64 floorDiv(Wide n, Wide d)
{
    const Wide q = n / d;
    return qint64((n % d != 0 && ((n < 0) != (d < 0))) ? q - 1 : q);
}

/// The whole of `pictureLength` onto `tiles` tiles from `firstTile`.
AxisPlacement whole(qint64 pictureLength, int firstTile, int tiles)
{
    return {0, pictureLength, 1, firstTile, tiles};
}

/// `tiles` rounded from pictureLength * num / den, half up, at least 1.
int scaledTiles(qint64 pictureLength, qint64 num, qint64 den)
{
    return int(std::max<qint64>(1, floorDiv(Wide(2) * pictureLength * num + den, Wide(2) * den)));
}

/// One axis of the picture, its tile spans: tile i covers source columns c0..c1, the first
/// with weight w0, the last with w1, those between with `whole`; weights are exact, in units
/// of 1 / `whole` pixel.
struct Spans
{
    std::vector<int> first, last;
    std::vector<qint64> firstWeight, lastWeight;
    qint64 whole = 1;

    Spans(const AxisPlacement &p, qint64 pictureLength)
    {
        const Wide d = Wide(p.denominator) * p.tiles;
        whole = qint64(d);
        const auto edge = [&p](int k) { return Wide(p.start) * p.tiles + Wide(k) * p.length; };
        for (int i = 0; i < p.tiles; ++i) {
            const Wide a = edge(i), b = edge(i + 1);
            const qint64 c0 = std::clamp<qint64>(floorDiv(a, d), 0, pictureLength - 1);
            const qint64 c1 = std::clamp<qint64>(floorDiv(b + d - 1, d) - 1, c0, pictureLength - 1);
            const Wide c0End = std::min(b, Wide(c0 + 1) * d);
            const Wide c1Start = std::max(a, Wide(c1) * d);
            first.push_back(int(c0));
            last.push_back(int(c1));
            firstWeight.push_back(qint64(c0End - std::max(a, Wide(c0) * d)));
            lastWeight.push_back(qint64(b - c1Start));
        }
    }

    qint64 weight(size_t i, qint64 c) const
    {
        return c == first[i] ? firstWeight[i] : c == last[i] ? lastWeight[i] : whole;
    }
};

/// The picture pixel under each tile's centre along one axis.
std::vector<int> centres(const AxisPlacement &p, qint64 pictureLength)
{
    std::vector<int> at;
    const Wide d = Wide(2) * p.denominator * p.tiles;
    for (int i = 0; i < p.tiles; ++i) {
        const Wide n = Wide(2) * p.start * p.tiles + Wide(2 * i + 1) * p.length;
        at.push_back(int(std::clamp<qint64>(floorDiv(n, d), 0, pictureLength - 1)));
    }
    return at;
}

/// Sums of one tile (or one tile's share of a row): linear red, green, blue weighted by
/// overlap, and the exact overlap of pixels with a colour and of those without, so that
/// "more than half" never depends on rounding.
struct Sum
{
    double r = 0, g = 0, b = 0;
    Wide colour = 0, none = 0;

    void add(Argb p, qint64 w, const std::array<double, 256> &lin)
    {
        if (alphaOf(p) == 0) {
            none += w;
            return;
        }
        const double dw = double(w);
        r += dw * lin[size_t(redOf(p))];
        g += dw * lin[size_t(greenOf(p))];
        b += dw * lin[size_t(blueOf(p))];
        colour += w;
    }
    void add(const Sum &s, qint64 w)
    {
        const double dw = double(w);
        r += dw * s.r, g += dw * s.g, b += dw * s.b, colour += s.colour * w, none += s.none * w;
    }
};

/// Builds the fitted picture from the rows a reader hands it.
class FitSink final : public RowSink
{
public:
    FitSink(QSize map, FitOptions options) : m_map(map), m_options(options) {}

    void begin(QSize picture) override;
    void pixels(int y, int first, int step, const Argb *row, int count) override;
    Pixels finish() const;

private:
    void areaRow(int y, int first, int step, const Argb *row, int count);
    void nearestRow(int y, int first, int step, const Argb *row, int count);

    QSize m_map;
    FitOptions m_options;
    QSize m_picture;
    Placement m_place;
    std::optional<Spans> m_columns, m_rows;
    std::vector<Sum> m_rowSums, m_sums;
    std::vector<int> m_centreX, m_centreY;
    Pixels m_out;
};

void FitSink::begin(QSize picture)
{
    m_picture = picture;
    m_out = Pixels(m_map.width(), m_map.height());
    if (picture.isEmpty() || m_map.isEmpty())
        return;
    m_place = placement(m_options.fit, picture, m_map);
    if (m_options.resample == Resample::Nearest) {
        m_centreX = centres(m_place.x, picture.width());
        m_centreY = centres(m_place.y, picture.height());
        return;
    }
    m_columns.emplace(m_place.x, picture.width());
    m_rows.emplace(m_place.y, picture.height());
    m_rowSums.assign(size_t(m_place.x.tiles), Sum());
    m_sums.assign(size_t(m_place.x.tiles) * size_t(m_place.y.tiles), Sum());
}

void FitSink::pixels(int y, int first, int step, const Argb *row, int count)
{
    if (y < 0 || y >= m_picture.height() || first < 0 || step < 1 || count <= 0
        || qint64(first) + qint64(count - 1) * step >= m_picture.width())
        return; // nothing of a well-formed picture
    if (m_options.resample == Resample::Nearest)
        nearestRow(y, first, step, row, count);
    else if (m_rows)
        areaRow(y, first, step, row, count);
}

void FitSink::areaRow(int y, int first, int step, const Argb *row, int count)
{
    const Spans &rows = *m_rows;
    // Tile rows whose spans hold y: contiguous, as the spans only move down.
    const auto from = std::lower_bound(rows.last.begin(), rows.last.end(), y) - rows.last.begin();
    qsizetype to = from;
    while (to < qsizetype(rows.first.size()) && rows.first[size_t(to)] <= y)
        ++to;
    if (from == to)
        return;
    const std::array<double, 256> &lin = srgb::linearTable();
    const Spans &cols = *m_columns;
    for (size_t i = 0; i < m_rowSums.size(); ++i) {
        Sum s;
        const int c0 = cols.first[i], c1 = cols.last[i];
        // The delivered pixels inside c0..c1: k from kLo to kHi.
        // (Whole rows, step 1, need no division.)
        const int kLo = step == 1 ? std::max(0, c0 - first) : std::max(0, (c0 - first + step - 1) / step);
        const int kHi = std::min(count - 1, c1 < first ? -1 : step == 1 ? c1 - first : (c1 - first) / step);
        if (kLo <= kHi)
            s.add(row[kLo], cols.weight(i, first + kLo * step), lin);
        if (kLo < kHi) {
            // The pixels between the two ends lie wholly in the tile: each weighs `whole`,
            // so they are summed plainly and weighted once.
            // Two running sums each, even and odd pixels, so the additions do not wait on
            // one another.
            double r0 = 0, g0 = 0, b0 = 0, r1 = 0, g1 = 0, b1 = 0;
            qint64 none = 0;
            const auto take = [&](Argb p, double &r, double &g, double &b) {
                if (alphaOf(p) == 0) {
                    ++none;
                    return;
                }
                r += lin[size_t(redOf(p))];
                g += lin[size_t(greenOf(p))];
                b += lin[size_t(blueOf(p))];
            };
            int k = kLo + 1;
            for (; k + 1 < kHi; k += 2) {
                take(row[k], r0, g0, b0);
                take(row[k + 1], r1, g1, b1);
            }
            if (k < kHi)
                take(row[k], r0, g0, b0);
            Sum inner;
            inner.r = r0 + r1;
            inner.g = g0 + g1;
            inner.b = b0 + b1;
            inner.none = none;
            inner.colour = qint64(kHi - kLo - 1) - none;
            s.add(inner, cols.whole);
            s.add(row[kHi], cols.weight(i, first + kHi * step), lin);
        }
        m_rowSums[i] = s;
    }
    const size_t width = m_rowSums.size();
    for (qsizetype j = from; j < to; ++j) {
        const qint64 w = rows.weight(size_t(j), y);
        Sum *tiles = m_sums.data() + size_t(j) * width;
        for (size_t i = 0; i < width; ++i)
            tiles[i].add(m_rowSums[i], w);
    }
}

void FitSink::nearestRow(int y, int first, int step, const Argb *row, int count)
{
    const auto lo = std::lower_bound(m_centreY.begin(), m_centreY.end(), y);
    const auto hi = std::upper_bound(lo, m_centreY.end(), y);
    for (auto j = lo; j != hi; ++j) {
        Argb *out = m_out.row(m_place.y.firstTile + int(j - m_centreY.begin()));
        for (size_t i = 0; i < m_centreX.size(); ++i) {
            const int offset = m_centreX[i] - first;
            if (offset >= 0 && offset % step == 0 && offset / step < count)
                {
                const Argb p = row[offset / step];
                out[m_place.x.firstTile + int(i)] = alphaOf(p) == 0 ? Argb(0) : p;
            }
        }
    }
}

Pixels FitSink::finish() const
{
    Pixels out = m_out;
    if (m_options.resample == Resample::Nearest || !m_rows)
        return out;
    const int width = m_place.x.tiles;
    for (int j = 0; j < m_place.y.tiles; ++j) {
        Argb *line = out.row(m_place.y.firstTile + j) + m_place.x.firstTile;
        for (int i = 0; i < width; ++i) {
            const Sum &s = m_sums[size_t(j) * size_t(width) + size_t(i)];
            // More than half without a colour: the tile has none either.
            if (s.colour <= 0 || s.none > s.colour)
                continue;
            const double colour = double(s.colour);
            line[i] = argb(srgb::toByte(s.r / colour), srgb::toByte(s.g / colour),
                           srgb::toByte(s.b / colour));
        }
    }
    return out;
}

} // namespace

QString fitName(Fit fit)
{
    return QString::fromLatin1(FitNames[size_t(fit)]);
}

std::optional<Fit> fitFromName(QStringView name)
{
    for (size_t i = 0; i < FitNames.size(); ++i)
        if (name == QLatin1String(FitNames[i]))
            return Fit(i);
    return std::nullopt;
}

QString resampleName(Resample resample)
{
    return QString::fromLatin1(ResampleNames[size_t(resample)]);
}

std::optional<Resample> resampleFromName(QStringView name)
{
    for (size_t i = 0; i < ResampleNames.size(); ++i)
        if (name == QLatin1String(ResampleNames[i]))
            return Resample(i);
    return std::nullopt;
}

Placement placement(Fit fit, QSize picture, QSize map)
{
    const qint64 pw = picture.width(), ph = picture.height();
    const qint64 w = map.width(), h = map.height();
    switch (fit) {
    case Fit::Contain: {
        // s = min(W / pw, H / ph): the side that limits keeps the map's tiles.
        const bool widthLimits = w * ph <= h * pw;
        const int tw = widthLimits ? int(w) : scaledTiles(pw, h, ph);
        const int th = widthLimits ? scaledTiles(ph, w, pw) : int(h);
        return {whole(pw, int((w - tw) / 2), tw), whole(ph, int((h - th) / 2), th)};
    }
    case Fit::Cover:
        // The centred part of the map's shape: rw = min(pw, ph W / H), rh = min(ph, pw H / W).
        if (pw * h >= ph * w)
            return {{pw * h - ph * w, 2 * ph * w, 2 * h, 0, int(w)}, whole(ph, 0, int(h))};
        return {whole(pw, 0, int(w)), {ph * w - pw * h, 2 * pw * h, 2 * w, 0, int(h)}};
    case Fit::None:
        return {{0, w, 1, 0, int(w)}, {0, h, 1, 0, int(h)}};
    case Fit::Stretch:
        break;
    }
    return {whole(pw, 0, int(w)), whole(ph, 0, int(h))};
}

Area readFitted(const QString &path, QSize map, FitOptions options)
{
    if (options.fit == Fit::None)
        return readArea(path, map);
    if (map.isEmpty() || qint64(map.width()) * map.height() > MaxFitTiles)
        return detail::failed(Failure::TooLarge,
                              QCoreApplication::translate("PictureReader", "a map of %1 x %2 tiles is too large to fit a picture to")
                                  .arg(map.width())
                                  .arg(map.height()));
    FitSink sink(map, options);
    Area area = readRows(path, sink);
    if (area.ok())
        area.pixels = sink.finish();
    return area;
}

Pixels fitted(const Pixels &picture, QSize map, FitOptions options)
{
    FitSink sink(map, options);
    sink.begin(picture.size());
    for (int y = 0; y < picture.height(); ++y)
        sink.pixels(y, 0, 1, picture.row(y), picture.width());
    return sink.finish();
}

} // namespace picture
