#include "core/tileset/TileDither.h"

#include "core/picture/ColorKey.h"
#include "core/picture/Srgb.h"
#include "core/tileset/TileMatcher.h"

#include <algorithm>
#include <array>

namespace terrain {

namespace {

using Error = std::array<double, 3>;

void spread(std::vector<Error> &row, int x, const Error &error, int sixteenths)
{
    if (x < 0 || x >= int(row.size()))
        return;
    for (size_t k = 0; k < 3; ++k)
        row[size_t(x)][k] += error[k] * sixteenths / 16;
}

QHash<qint32, quint16> valuesOfColours(const TileMatcher &matcher)
{
    QHash<qint32, quint16> values;
    for (const TileMatcher::Candidate &c : matcher.candidates()) {
        const qint32 colour = colorkey::colorValue(picture::redOf(c.shown),
                                                   picture::greenOf(c.shown),
                                                   picture::blueOf(c.shown));
        const auto known = values.constFind(colour);
        if (known == values.constEnd() || c.value < *known)
            values.insert(colour, c.value);
    }
    return values;
}

} // namespace

Dithered dither(const picture::Pixels &picture, int width, int height, const TileMatcher &matcher)
{
    Dithered out;
    out.picture = picture::Pixels(width, height);
    out.tiles.assign(size_t(qMax(0, width)) * size_t(qMax(0, height)), 0);
    if (matcher.isEmpty())
        return out;
    const std::array<double, 256> &lin = srgb::linearTable();
    const std::vector<TileMatcher::Candidate> &candidates = matcher.candidates();
    std::vector<Error> here(size_t(qMax(0, width))), below(here.size());
    for (int y = 0; y < height; ++y) {
        std::fill(below.begin(), below.end(), Error{});
        const int ahead = y % 2 == 0 ? 1 : -1;
        picture::Argb *shown = out.picture.row(y);
        qsizetype last = -1; // the neighbour's tile: a close first guess for the search
        for (int n = 0; n < width; ++n) {
            const int x = ahead > 0 ? n : width - 1 - n;
            const picture::Argb p = picture.at(x, y);
            if (picture::alphaOf(p) == 0)
                continue;
            const Error &in = here[size_t(x)];
            const Error colour = {std::clamp(lin[size_t(picture::redOf(p))] + in[0], 0.0, 1.0),
                                  std::clamp(lin[size_t(picture::greenOf(p))] + in[1], 0.0, 1.0),
                                  std::clamp(lin[size_t(picture::blueOf(p))] + in[2], 0.0, 1.0)};
            last = matcher.nearestIndex(labOfLinear(colour[0], colour[1], colour[2]), last);
            const TileMatcher::Candidate &tile = candidates[size_t(last)];
            const Error error = {colour[0] - tile.linear[0], colour[1] - tile.linear[1],
                                 colour[2] - tile.linear[2]};
            spread(here, x + ahead, error, 7);
            spread(below, x - ahead, error, 3);
            spread(below, x, error, 5);
            spread(below, x + ahead, error, 1);
            shown[x] = tile.shown;
            out.tiles[size_t(y) * size_t(width) + size_t(x)] = tile.value;
        }
        std::swap(here, below);
    }
    out.values = valuesOfColours(matcher);
    return out;
}

picture::PrepareOptions ditherOptions(picture::FitOptions fit, const TileMatcher &matcher,
                                      QHash<qint32, quint16> *values)
{
    picture::PrepareOptions options;
    options.fit = fit;
    options.transform = [&matcher, values](const picture::Pixels &read) {
        Dithered dithered = dither(read, read.width(), read.height(), matcher);
        *values = std::move(dithered.values);
        return std::move(dithered.picture);
    };
    return options;
}

} // namespace terrain
