#include "core/picture/ColorKey.h"


namespace colorkey {

QColor colorOf(qint32 value)
{
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

QString rgbText(qint32 value)
{
    return QStringLiteral("#%1%2%3")
        .arg(value & 0xff, 2, 16, QLatin1Char('0'))
        .arg((value >> 8) & 0xff, 2, 16, QLatin1Char('0'))
        .arg((value >> 16) & 0xff, 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<qint32> valueFromRgbText(const QString &text)
{
    // "#" and exactly six hex digits; read digit by digit (a colour file has thousands).
    if (text.size() != 7 || text.at(0) != u'#')
        return std::nullopt;
    uint rrggbb = 0;
    for (qsizetype i = 1; i < 7; ++i) {
        const char16_t c = text.at(i).unicode();
        const int digit = c >= u'0' && c <= u'9' ? c - u'0'
            : c >= u'a' && c <= u'f'             ? c - u'a' + 10
            : c >= u'A' && c <= u'F'             ? c - u'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        rrggbb = rrggbb << 4 | uint(digit);
    }
    return colorValue(int(rrggbb >> 16), int(rrggbb >> 8), int(rrggbb));
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
    return colorValue(qRed(argb), qGreen(argb), qBlue(argb));
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
