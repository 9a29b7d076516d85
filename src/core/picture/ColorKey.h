#pragma once

#include "core/picture/Pixels.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

/// Colour values, colour keys and their #RRGGBB form: the one place that knows how a colour
/// is numbered, shared by the scan, the conversion, the colour file and the colour list.
namespace colorkey {

/// The colour list holds at most this many entries: list positions are signed 16-bit.
inline constexpr int MaxColors = 32767;

/// Colour value of a red, green, blue triple: red in bits 0-7, green in 8-15, blue in 16-23.
constexpr qint32 colorValue(int red, int green, int blue)
{
    return qint32(red & 0xff) | (qint32(green & 0xff) << 8) | (qint32(blue & 0xff) << 16);
}

/// The value of each byte that is a hex digit (either letter case), -1 for every other byte.
inline constexpr std::array<qint8, 256> HexDigit = [] {
    std::array<qint8, 256> digit{};
    digit.fill(-1);
    for (int c = 0; c < 10; ++c)
        digit[size_t('0' + c)] = qint8(c);
    for (int c = 0; c < 6; ++c)
        digit[size_t('a' + c)] = digit[size_t('A' + c)] = qint8(10 + c);
    return digit;
}();

/// Room writeKey needs: a sign and ten digits.
inline constexpr int MaxKeyChars = 11;
/// Room writeRgb needs.
inline constexpr int RgbChars = 7;

/// Writes colorKey(value) as Latin-1 bytes at `out`; returns one past the last byte written.
/// For output of thousands of colours: no allocation.
char *writeKey(qint32 value, char *out);
/// Writes rgbText(value) as Latin-1 bytes at `out` (RgbChars bytes); returns one past them.
char *writeRgb(qint32 value, char *out);

/// Writes `number` in decimal (a "-" first when negative) at `out`, at most 20 bytes;
/// returns one past the last digit.
char *writeNumber(qint64 number, char *out);

/// "#RRGGBB" (upper-case hex digits) for a non-negative colour value.
QString rgbText(qint32 value);

/// The colour value of a "#RRGGBB" text (either letter case); nullopt for anything else.
std::optional<qint32> valueFromRgbText(QStringView text);

/// Colour value of pixel (x, y) of a picture: red in bits 0-7, green in 8-15,
/// blue in 16-23. A coordinate with no picture pixel (outside the picture, or a fully
/// transparent pixel) reads as -1.
qint32 pixelValue(const picture::Pixels &picture, int x, int y);

/// The colour values of row y of a picture's area of `width` pixels, written to
/// out[0] ... out[width - 1]: pixelValue(picture, x, y) for each x, read a row at a time.
void pixelRow(const picture::Pixels &picture, int y, int width, qint32 *out);

/// The value in decimal with at least eight digits, zero-padded: 255 -> "00000255",
/// -1 -> "-00000001".
QString colorKey(qint32 value);

/// The keys of `values`, in order.
QStringList colorKeys(const QList<qint32> &values);

/// The colour value whose key colorKey writes as exactly `text`: "-00000001" or eight digits
/// naming a 24-bit colour; nullopt for anything else ("255", "000000255", "16777216", "-1").
std::optional<qint32> valueFromKey(QStringView text);

/// Whether `value` is a colour a pixel can have: -1 (no pixel) or a 24-bit colour.
constexpr bool isPixelValue(qint32 value) { return value >= -1 && value <= 0xFFFFFF; }

} // namespace colorkey
