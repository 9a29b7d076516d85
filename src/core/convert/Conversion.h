#pragma once

#include "core/common/Result.h"
#include "core/common/StatusFn.h"

#include "core/picture/Pixels.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class ScenarioFile;
namespace terrain {
class TileVariety;
}

/// Everything one conversion reads, taken once when it starts.
struct ConversionInput
{
    QString scenarioPath;      ///< the working scenario file, edited in place
    QString mapName;           ///< the user's map, named in failure sentences (the file itself when empty)
    picture::Pixels picture;   ///< the picture's area, as picture::readArea gives it
    int width = 0;             ///< map width in tiles
    int height = 0;            ///< map height in tiles
    QList<qint32> colors;      ///< colour values in list order (colorkey::pixelValue's numbering)
    /// Tile values as typed by the user, parallel to `colors`; read by validate(). Used when
    /// `tileValues` is empty.
    QStringList replacements;
    /// Tile values already read (each at most conversion::MaxTileValue), parallel to
    /// `colors`; when given, `replacements` is not read.
    QList<quint16> tileValues;
    /// When set, the values written are varied by it (TileVariety::apply).
    std::shared_ptr<const terrain::TileVariety> variety;
};

namespace conversion {

/// The largest tile value.
inline constexpr quint32 MaxTileValue = 32767;

/// The last tile group a tile value can name: a value is its group times 16 plus its place
/// in the group.
inline constexpr int LastTileGroup = int(MaxTileValue >> 4);

/// What a tile value text holds.
enum class TileValueText {
    Value,      ///< one or more decimal digits, nothing else, at most MaxTileValue
    NotANumber, ///< empty, or anything but decimal digits ("-1", "4e2", " 7", "+7")
    TooLarge,   ///< decimal digits only, above MaxTileValue
};

/// Reads a tile value text (the colour list, colour files and conversions all read them
/// so); `value` receives the value only for TileValueText::Value.
TileValueText readTileValue(QStringView text, quint16 *value);

/// True when `text` is a tile value (readTileValue gives Value); `value` is left alone
/// otherwise.
bool parseTileValue(QStringView text, quint16 *value);

/// Checks the input (a picture, a positive size, parallel lists, at most
/// colorkey::MaxColors colours) and gives each colour's tile value: `tileValues`, or every
/// replacement text read as a tile value.
Result<QList<quint16>> validate(const ConversionInput &input);

/// One tile value per pixel, laid out as the sections hold them: 16-bit little-endian,
/// row by row. Fails when a pixel's colour is not in the colour list.
Result<QByteArray> computeEntries(const ConversionInput &input, const QList<quint16> &values);

/// Where one section's entries lie in the file.
struct SectionSpan
{
    qint64 nameOffset = -1; ///< first byte of the 4-byte name
    qint64 dataOffset = -1; ///< R + 4
    qint64 end = -1;        ///< one past the last entry byte the conversion writes
};

/// The "TILE" and "MTXM" spans: both sections exist, their length fields and the file
/// hold `entryBytes` of entries, and neither name lies inside the other's entries.
Result<std::array<SectionSpan, 2>> locate(const ScenarioFile &file, qint64 entryBytes,
                                          const QString &shownName);

} // namespace conversion

/// Writes every pixel's tile value into the "TILE" and then the "MTXM" section of the
/// scenario file, at R + 4 + 2*(y*W + x) for each section's search result R, as 16-bit
/// little-endian values; both sections receive the same values.
///
/// Status texts, in order: "Location \"TILE\" region.", "Inserting data in TILE region...
/// (W, y)" after every row (y from 0), "Location \"MTXM\" region.", the MTXM row texts,
/// "Conversion successful!".
///
/// Before writing a single byte it validates, computes and locates (above). On any of
/// these failures the file is left untouched and the reason says what is wrong. Nothing
/// outside the entries of the two sections is ever written; the file keeps its length.
Status convertScenario(const ConversionInput &input, const StatusFn &status);
