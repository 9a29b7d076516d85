#include "core/picture/ColorKey.h"

#include <algorithm>
#include <array>

namespace colorkey {

char *writeRgb(qint32 value, char *out)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    *out++ = '#';
    for (int shift = 0; shift < 24; shift += 8) {
        const int byte = (value >> shift) & 0xff;
        *out++ = Hex[byte >> 4];
        *out++ = Hex[byte & 0xf];
    }
    return out;
}

namespace {

/// `number` in decimal, with at least `minDigits` digits (zeros in front); '-' before a
/// negative one.
char *writeDecimal(qint64 number, int minDigits, char *out)
{
    char digits[20];
    int count = 0;
    quint64 magnitude = number < 0 ? 0 - quint64(number) : quint64(number);
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count < minDigits)
        digits[count++] = '0';
    if (number < 0)
        *out++ = '-';
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

} // namespace

char *writeNumber(qint64 number, char *out)
{
    return writeDecimal(number, 1, out);
}

QString rgbText(qint32 value)
{
    char text[RgbChars];
    return QString::fromLatin1(text, writeRgb(value, text) - text);
}

std::optional<qint32> valueFromRgbText(QStringView text)
{
    // "#" and exactly six hex digits; read digit by digit (a colour file has thousands).
    if (text.size() != 7 || text[0] != u'#')
        return std::nullopt;
    uint rrggbb = 0;
    for (qsizetype i = 1; i < 7; ++i) {
        const char16_t c = text[i].unicode();
        const int digit = c < HexDigit.size() ? HexDigit[c] : -1;
        if (digit < 0)
            return std::nullopt;
        rrggbb = rrggbb << 4 | uint(digit);
    }
    return colorValue(int(rrggbb >> 16), int(rrggbb >> 8), int(rrggbb));
}

qint32 pixelValue(const picture::Pixels &picture, int x, int y)
{
    const picture::Argb p = picture.at(x, y);
    if (picture::alphaOf(p) == 0)
        return -1;
    return colorValue(picture::redOf(p), picture::greenOf(p), picture::blueOf(p));
}

void pixelRow(const picture::Pixels &picture, int y, int width, qint32 *out)
{
    int x = 0;
    if (y >= 0 && y < picture.height()) {
        const picture::Argb *row = picture.row(y);
        for (const int inside = std::min(width, picture.width()); x < inside; ++x) {
            const picture::Argb p = row[x];
            // 0xAARRGGBB -> 0x00BBGGRR; a fully transparent pixel is no pixel.
            out[x] = picture::alphaOf(p) == 0
                ? -1
                : qint32(((p >> 16) & 0xff) | (p & 0xff00) | ((p & 0xff) << 16));
        }
    }
    for (; x < width; ++x)
        out[x] = -1;
}

char *writeKey(qint32 value, char *out)
{
    return writeDecimal(value, 8, out);
}

QString colorKey(qint32 value)
{
    char text[MaxKeyChars];
    return QString::fromLatin1(text, writeKey(value, text) - text);
}

QStringList colorKeys(const QList<qint32> &values)
{
    QStringList keys;
    keys.reserve(values.size());
    for (const qint32 value : values)
        keys.append(colorKey(value));
    return keys;
}

std::optional<qint32> valueFromKey(QStringView text)
{
    if (text == u"-00000001")
        return -1;
    if (text.size() != 8)
        return std::nullopt;
    qint32 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value <= 0xFFFFFF ? std::optional<qint32>(value) : std::nullopt;
}

} // namespace colorkey
