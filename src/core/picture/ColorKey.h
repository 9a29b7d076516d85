#pragma once

#include <QColor>
#include <QImage>
#include <QString>

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

/// The colour a non-negative colour value stands for.
QColor colorOf(qint32 value);

/// "#RRGGBB" (upper-case hex digits) for a non-negative colour value.
QString rgbText(qint32 value);

/// The colour value of a "#RRGGBB" text (either letter case); nullopt for anything else.
std::optional<qint32> valueFromRgbText(const QString &text);

/// The picture in the one format the program reads pixels from (32-bit ARGB).
QImage normalized(const QImage &picture);

/// Colour value of pixel (x, y) of a normalized picture: red in bits 0-7, green in 8-15,
/// blue in 16-23. A coordinate with no picture pixel (outside the picture, or a fully
/// transparent pixel) reads as -1.
qint32 pixelValue(const QImage &normalizedPicture, int x, int y);

/// The value in decimal with at least eight digits, zero-padded: 255 -> "00000255",
/// -1 -> "-00000001".
QString colorKey(qint32 value);

} // namespace colorkey
