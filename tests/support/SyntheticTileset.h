#pragma once

#include "MpqBuilder.h"
#include "core/tileset/TileMatcher.h"

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>

#include <QSet>

#include <array>
#include <map>
#include <optional>
#include <vector>

namespace testsupport {

/// A small made-up tileset, kept as plain tables so that tests can change any reference,
/// write it in the game's file layout, and compute pixels the slow way. Four families of
/// colours (green, brown, blue, grey); tile group g draws family g % 4.
struct SyntheticTileset
{
    std::vector<std::array<quint16, 16>> groups;   ///< megatile of each group entry
    std::vector<std::array<quint32, 16>> megatiles; ///< (minitile << 1) | flipped
    std::vector<std::array<quint8, 64>> minitiles;  ///< palette indices, row by row
    std::array<QRgb, 256> palette{};

    static SyntheticTileset make(int groupCount = 4);

    QByteArray cv5() const;
    QByteArray vx4(bool wide = false) const;
    QByteArray vr4() const;
    QByteArray wpe() const;

    /// Pixel (x, y) of tile `value` worked out from the tables; `present` is false when a
    /// reference lies outside them (the pixel is then meaningless).
    QRgb pixel(quint16 value, int x, int y, bool *present) const;

    /// The slow way to match, for comparisons: every value colour matching may use, with
    /// the CIELAB of its average worked out pixel by pixel. A group's terrain type is
    /// `terrainTypes[group]`, or the group's number (as cv5() writes it) when that is
    /// empty; it must be above 1, and the group in `groups` unless that is empty.
    std::map<quint16, terrain::Lab> referenceCandidates(
        const std::vector<quint16> &terrainTypes = {}, const QSet<int> &groups = {}) const;
    /// The candidate nearest to colour value `color` (red in bits 0-7), every candidate
    /// measured; a tie keeps the lower value.
    static std::optional<quint16> referenceNearest(
        const std::map<quint16, terrain::Lab> &candidates, qint32 color);

    /// The four files named "STEM.cv5" ... (".vx4ex" when `wide`) in `folder`.
    void writeFolder(const QString &folder, const QString &stem, bool wide = false) const;
    /// The four files as archive entries "tileset\STEM.*".
    QList<MpqEntry> entries(const QString &stem, bool wide = false) const;
};

} // namespace testsupport
