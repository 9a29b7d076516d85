#pragma once

#include "core/tileset/TileGraphics.h"

#include <QList>
#include <QSet>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace terrain {

/// A colour in CIELAB, white point D65.
struct Lab
{
    double l = 0;
    double a = 0;
    double b = 0;
};

/// CIELAB of an sRGB colour with channels from 0 to 255; fractions are allowed (a tile's
/// average colour).
Lab labOf(double red, double green, double blue);

/// CIELAB of linear-light red, green and blue (0 to 1).
Lab labOfLinear(double red, double green, double blue);

/// Whether tile `value` of `graphics` may stand for a colour (see TileMatcher), and then the
/// sum of its pixels' red, green and blue in `sum`.
bool candidateSum(const TileGraphics &graphics, quint16 value, std::array<quint32, 3> *sum);

/// Squared CIE76 distance: the plain Euclidean distance in CIELAB, squared.
inline double distanceSquared(const Lab &x, const Lab &y)
{
    const double dl = x.l - y.l, da = x.a - y.a, db = x.b - y.b;
    return dl * dl + da * da + db * db;
}

/// Chooses, for a colour, the tile whose average colour over its 32 x 32 pixels is nearest
/// in CIELAB (CIE76 distance). Only real terrain takes part: tile groups whose terrain type
/// is neither 0 (unused) nor 1 (doodads), entries whose megatile is not 0, and tiles whose
/// graphics are all present. Equal distances go to the lowest tile value, so the choice
/// never depends on the order of the work.
class TileMatcher
{
public:
    struct Candidate
    {
        quint16 value;
        Lab lab;
        /// The average colour in linear light (0 to 1): red, green, blue.
        std::array<double, 3> linear;
        /// The average colour in 8 bits a channel, rounded half up, alpha 255.
        picture::Argb shown;
    };

    TileMatcher() = default;
    /// Gathers the candidates of `graphics`; when `groups` is not empty only those tile
    /// groups take part.
    explicit TileMatcher(const TileGraphics &graphics, const QSet<int> &groups = {});

    bool isEmpty() const { return m_candidates.empty(); }
    /// One candidate per distinct megatile (the lowest value that shows it), in the order
    /// of the search tree.
    const std::vector<Candidate> &candidates() const { return m_candidates; }

    /// The tile value nearest to colour value `color` (colorkey numbering: red in bits 0-7);
    /// nullopt when `color` is negative (no pixel) or there is no candidate.
    std::optional<quint16> nearest(qint32 color) const;

    /// The position in candidates() of the candidate nearest to `lab` (equal distances: the
    /// lowest value); -1 when there is none. A `hint` (a position likely to be near, such as
    /// the answer for a similar colour) only makes the search shorter, never changes it.
    qsizetype nearestIndex(const Lab &lab, qsizetype hint = -1) const;

    /// nearest() of each colour. `progress(done, total)` is called every few thousand.
    QList<std::optional<quint16>> nearestAll(
        const QList<qint32> &colors,
        const std::function<void(int done, int total)> &progress = {}) const;

private:
    struct Best;
    /// Arranges m_candidates[lo, hi) as a k-d tree: the middle entry splits the rest along
    /// the axis (L, a or b) where they spread widest, recorded in m_axis.
    void build(size_t lo, size_t hi);
    /// Searches m_candidates[lo, hi), whose region lies `offsets` from `query` along each
    /// axis (0 where the query is inside its bounds), `box` being their squares' sum.
    void search(size_t lo, size_t hi, const Lab &query, Best &best,
                std::array<double, 3> &offsets, double box) const;

    std::vector<Candidate> m_candidates;
    std::vector<quint8> m_axis; ///< split axis of each subtree's middle entry
};

} // namespace terrain
