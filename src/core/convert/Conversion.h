#pragma once

#include "core/common/Outcome.h"
#include "core/common/StatusFn.h"

#include <QImage>
#include <QString>
#include <QStringList>

/// Everything one conversion reads, taken once when it starts.
struct ConversionInput
{
    QString scenarioPath;      ///< the working scenario file, edited in place
    QImage picture;            ///< the picture as colorkey::normalized gives it
    int width = 0;             ///< map width in tiles
    int height = 0;            ///< map height in tiles
    QStringList colors;        ///< colour keys (lstColor)
    QStringList replacements;  ///< tile value texts, parallel to `colors` (lstReplace)
};

namespace conversion {

/// Reads a tile value text: one or more decimal digits, nothing else, from 0 to 32767.
/// Returns false (and leaves `value` alone) for anything else, such as "", "-1", "4e2"
/// or "40000".
bool parseTileValue(const QString &text, quint16 *value);

} // namespace conversion

/// Writes every pixel's tile value into the "TILE" and then the "MTXM" section of the
/// scenario file, at R + 4 + 2*(y*W + x) for each section's search result R, as 16-bit
/// little-endian values; both sections receive the same values.
///
/// Status texts, in order: "Location \"TILE\" region.", "Inserting data in TILE region...
/// (W, y)" after every row (y from 0), "Location \"MTXM\" region.", the MTXM row texts,
/// "Conversion successful!".
///
/// Before writing a single byte it checks that a picture is loaded, the size is positive,
/// the two lists are parallel, every replacement is a whole number from 0 to 32767, every
/// pixel's key is in the colour list, both sections exist and hold 2*W*H bytes of entries
/// (by their length field and by the file's length) without overlapping. On any of these
/// failures the file is left untouched and the reason says what is wrong. Nothing outside
/// the entries of the two sections is ever written; the file keeps its length.
Outcome convertScenario(const ConversionInput &input, const StatusFn &status);
