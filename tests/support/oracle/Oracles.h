#pragma once

#include "core/picture/PictureFit.h"
#include "core/picture/Pixels.h"

#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <vector>

/// Slow, literal forms of rules the product implements fast. Tests and benchmarks compare
/// the product with these; the product never calls them.
namespace oracle {

/// The colour-list matching rule, straight: for each entry in order, split its text at each
/// single space (two spaces give an empty word; an empty text gives no words), compare each
/// word with the key, both upper-cased; the first matching entry's index, or -1.
/// Only the first 32767 entries take part: list positions are 16-bit.
qint16 FindColorIndex(const QString &key, const QStringList &lstColor);

/// The list with each text once: of equal entries the last survives, and the survivors keep
/// their order (A, B, A, C, A -> B, C, A). Texts are compared exactly.
QStringList deduplicated(const QStringList &list);

/// A picture fitted to a map the literal way: the source and target rectangles from the
/// definitions in real numbers (long double), every picture pixel's overlap with every
/// tile's source rectangle measured (area) or the pixel under each tile's centre taken
/// (nearest). Same conventions as picture::fitted: more than half without a colour gives no
/// pixel; the mean in linear light, rounded half up.
picture::Pixels fitted(const picture::Pixels &picture, QSize map, picture::FitOptions options);

/// Serpentine Floyd-Steinberg to tiles, every candidate measured for every cell. `averages`
/// holds each candidate value's average colour in 8-bit sRGB units (sum / 1024). The
/// chosen tile per cell, row by row (0 without a pixel).
std::vector<quint16> ditheredTiles(const picture::Pixels &picture, int width, int height,
                                   const std::map<quint16, std::array<double, 3>> &averages);

/// Mean CIE76 distance between two map-sized pictures, both blurred in linear light with a
/// Gaussian of `sigma` cells (weights renormalised over the cells inside the map). Cells
/// without a pixel in either picture take no part.
double blurredDistance(const picture::Pixels &a, const picture::Pixels &b, double sigma);

} // namespace oracle
