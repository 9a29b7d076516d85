#include "picture/ColorKey.h"

namespace colorkey {

QImage normalized(const QImage &picture)
{
    if (picture.format() == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_ARGB32);
}

qint32 pixelValue(const QImage &normalizedPicture, int x, int y)
{
    if (x < 0 || y < 0 || x >= normalizedPicture.width() || y >= normalizedPicture.height())
        return -1;
    // A picture in another format is read the slow way rather than misread as 32-bit rows.
    const QImage::Format format = normalizedPicture.format();
    const QRgb argb = (format == QImage::Format_ARGB32 || format == QImage::Format_RGB32)
        ? reinterpret_cast<const QRgb *>(normalizedPicture.constScanLine(y))[x]
        : normalizedPicture.pixel(x, y);
    if (qAlpha(argb) == 0)
        return -1;
    return qint32(qRed(argb)) | (qint32(qGreen(argb)) << 8) | (qint32(qBlue(argb)) << 16);
}

QString colorKey(qint32 value)
{
    if (value < 0)
        return QLatin1Char('-') + QString::number(-qint64(value)).rightJustified(8, QLatin1Char('0'));
    return QString::number(value).rightJustified(8, QLatin1Char('0'));
}

} // namespace colorkey
