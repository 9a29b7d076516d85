#include "core/picture/ColorKey.h"

#include <QImageReader>

namespace colorkey {

QImage decodePicture(const QString &path, QString *error)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false); // one pixel per tile, as stored
    QImage decoded = reader.read();
    if (decoded.isNull() && error)
        *error = reader.errorString();
    return decoded;
}

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
    // Written digit by digit into one allocation: the scan makes up to 32767 keys at a time.
    quint32 magnitude = value < 0 ? quint32(-qint64(value)) : quint32(value);
    QChar digits[10];
    int count = 0;
    do {
        digits[count++] = QChar(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count < 8)
        digits[count++] = QChar(u'0');

    QString key;
    key.reserve(count + 1);
    if (value < 0)
        key.append(QChar(u'-'));
    while (count > 0)
        key.append(digits[--count]);
    return key;
}

} // namespace colorkey
