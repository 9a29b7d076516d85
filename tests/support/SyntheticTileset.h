#pragma once

#include "MpqBuilder.h"

#include <QByteArray>
#include <QList>
#include <QRgb>
#include <QString>

#include <array>
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

    /// The four files named "STEM.cv5" ... (".vx4ex" when `wide`) in `folder`.
    void writeFolder(const QString &folder, const QString &stem, bool wide = false) const;
    /// The four files as archive entries "tileset\STEM.*".
    QList<MpqEntry> entries(const QString &stem, bool wide = false) const;
};

} // namespace testsupport
