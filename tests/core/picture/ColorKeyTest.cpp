// Colour keys and pixel values, shared by the scan and the conversion.
#include "core/picture/ColorKey.h"
#include "core/qtimage/QtImage.h"

#include <QImage>

#include <gtest/gtest.h>

#include <limits>
#include <random>

TEST(ColorKey, KnownKeys)
{
    struct Case { qint32 value; const char *key; };
    const Case cases[] = {
        {0, "00000000"},          {255, "00000255"},   {65280, "00065280"},
        {16711680, "16711680"},   {16777215, "16777215"}, {-1, "-00000001"},
        {123456789, "123456789"}, {-123456789, "-123456789"},
        {std::numeric_limits<qint32>::max(), "2147483647"},
        {std::numeric_limits<qint32>::min(), "-2147483648"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(colorkey::colorKey(c.value), QString::fromLatin1(c.key)) << c.value;
}

TEST(ColorKey, MatchesPlainFormatting)
{
    std::mt19937 rng(99);
    std::uniform_int_distribution<qint32> any(std::numeric_limits<qint32>::min(),
                                              std::numeric_limits<qint32>::max());
    std::uniform_int_distribution<qint32> color(0, 0xFFFFFF);
    for (int i = 0; i < 20000; ++i) {
        const qint32 value = (i % 2) ? any(rng) : color(rng);
        const QString plain = value < 0
            ? "-" + QString::number(-qint64(value)).rightJustified(8, '0')
            : QString::number(value).rightJustified(8, '0');
        ASSERT_EQ(colorkey::colorKey(value), plain) << value;
    }
}

TEST(PixelValue, ReadsRedLowBlueHighAndNoPixelAsMinusOne)
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 255, 255));
    image.setPixel(0, 1, qRgba(10, 20, 30, 0)); // fully transparent
    image.setPixel(1, 1, qRgba(1, 2, 3, 128));
    const picture::Pixels picture = qtimage::fromImage(image);
    struct Case { int x, y; qint32 value; };
    const Case cases[] = {{0, 0, 255},  {1, 0, 16711680}, {0, 1, -1}, {1, 1, 1 + 2 * 256 + 3 * 65536},
                          {2, 0, -1},   {0, 2, -1},       {-1, 0, -1}, {0, -1, -1}};
    for (const Case &c : cases)
        EXPECT_EQ(colorkey::pixelValue(picture, c.x, c.y), c.value) << c.x << "," << c.y;
    EXPECT_EQ(colorkey::pixelValue(picture::Pixels(), 0, 0), -1);
}

TEST(ColorKey, RgbTextAndColourAgreeWithTheValue)
{
    // Red is the low byte of the value and the first pair of #RRGGBB: a swap anywhere
    // shows up as a mismatch between the three forms.
    struct Case { qint32 value; const char *rgb; };
    const Case cases[] = {{0, "#000000"}, {255, "#FF0000"}, {65280, "#00FF00"},
                          {16711680, "#0000FF"}, {1 + 2 * 256 + 3 * 65536, "#010203"},
                          {16777215, "#FFFFFF"}};
    for (const Case &c : cases) {
        EXPECT_EQ(colorkey::rgbText(c.value), QString::fromLatin1(c.rgb));
        EXPECT_EQ(colorkey::valueFromRgbText(QString::fromLatin1(c.rgb)), c.value);
        EXPECT_EQ(colorkey::valueFromRgbText(QString::fromLatin1(c.rgb).toLower()), c.value);
        const QColor colour = qtimage::colorOf(c.value);
        EXPECT_EQ(colorkey::colorValue(colour.red(), colour.green(), colour.blue()), c.value);
    }
    std::mt19937 rng(7);
    std::uniform_int_distribution<qint32> color(0, 0xFFFFFF);
    for (int i = 0; i < 5000; ++i) {
        const qint32 value = color(rng);
        ASSERT_EQ(colorkey::valueFromRgbText(colorkey::rgbText(value)), value);
    }
    for (const char *bad : {"", "#", "#12345", "#1234567", "123456", "#12345G", " #123456",
                            "#12345g", "#+12345", "#0x1234", "#12 456", "#12345/", "#12345:",
                            "#12345@", "#12345`", "##12345"})
        EXPECT_EQ(colorkey::valueFromRgbText(QString::fromLatin1(bad)), std::nullopt) << bad;
    EXPECT_EQ(colorkey::valueFromRgbText(QStringLiteral("#\uFF11\uFF12\uFF13456")), std::nullopt);
}
