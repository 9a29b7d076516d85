#pragma once

#include <QImage>
#include <QString>

/// Pixel values and colour keys, shared by the scan and the conversion so that both
/// read exactly the same value for the same coordinate.
namespace colorkey {

/// Decodes a picture file the one way the program reads pictures: format taken from the
/// content, pixels as stored (no rotation from the file's metadata). Returns a null image
/// when the file does not decode; `error`, when given, then receives the reader's reason.
QImage decodePicture(const QString &path, QString *error = nullptr);

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
