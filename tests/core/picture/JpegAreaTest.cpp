// The JPEG area decoder against Qt's JPEG reader with a clip rectangle of the area, on files
// written here through libjpeg (each sampling, progressive, restart markers, arithmetic
// coding, RGB and grey storage) and through Qt's writer, plus cut, damaged and oversized ones.
#include "core/picture/PictureFormats.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <gtest/gtest.h>

namespace {

using testsupport::noise;

// Smooth gradients with noisy patches: sharp colour edges show any difference in chroma
// upsampling, smooth parts any difference in the IDCT.
quint8 sample(int x, int y, int channel)
{
    const bool patch = ((x / 5) + (y / 3)) % 4 == 0;
    return patch ? noise(x, y, channel) : quint8((x * 7 + y * 3 + channel * 60) & 0xff);
}

struct Jpeg
{
    const char *name;
    J_COLOR_SPACE stored; // JCS_YCbCr, JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    int h, v;             // luma sampling factors (chroma 1x1)
    bool progressive;
    int restartRows;
    bool arithmetic;
};

QByteArray jpegOf(const Jpeg &v, int width, int height)
{
    return testsupport::jpegOf({v.stored, v.h, v.v, v.progressive, v.restartRows, v.arithmetic},
                               width, height, sample);
}

QByteArray qtJpegOf(QImage::Format format, bool progressive, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(sample(x, y, 0), sample(x, y, 1), sample(x, y, 2)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(image.convertToFormat(format));
    return bytes;
}

// Offset of the first start-of-frame marker's segment (FF C0..C2, C9..CA).
qsizetype frameHeader(const QByteArray &jpeg)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i)
        if (uchar(jpeg[i]) == 0xff && QByteArray("\xc0\xc1\xc2\xc9\xca").contains(jpeg[i + 1]))
            return i + 2;
    return -1;
}

QByteArray withSize(QByteArray jpeg, int width, int height)
{
    const qsizetype at = frameHeader(jpeg);
    qToBigEndian<quint16>(quint16(height), jpeg.data() + at + 3);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + at + 5);
    return jpeg;
}

// Bytes in the middle of the entropy-coded data overwritten: libjpeg decodes on with warnings.
QByteArray damaged(QByteArray jpeg)
{
    for (qsizetype i = jpeg.size() / 2; i < jpeg.size() / 2 + 6; ++i)
        jpeg[i] = char(0x55);
    return jpeg;
}

// The file's last scan repeated: libjpeg warns about each repetition and reads on.
QByteArray withRepeatedLastScan(const QByteArray &jpeg, int times)
{
    const qsizetype lastScan = jpeg.lastIndexOf("\xff\xda");
    const QByteArray scan = jpeg.mid(lastScan, jpeg.size() - 2 - lastScan);
    return jpeg.left(jpeg.size() - 2) + scan.repeated(times) + QByteArray("\xff\xd9");
}

// Qt's JPEG reader with a clip rectangle of the area.
QImage reference(const QString &path, QSize map)
{
    QImageReader reader(path, "jpeg");
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    reader.setClipRect(QRect(0, 0, qMin(size.width(), map.width()), qMin(size.height(), map.height())));
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

quint32 pixelAt(const picture::Pixels &pixels, int x, int y) { return pixels.at(x, y); }

std::optional<picture::Area> readJpeg(const QString &path, QSize map)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    return picture::detail::readJpeg(file, map);
}

// The first differing pixel's coordinates and values, or an empty string.
std::string firstDifference(const picture::Area &got, const QImage &expected)
{
    if (got.pixels.size() != expected.size())
        return "size differs";
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (pixelAt(got.pixels, x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2: %3 instead of %4").arg(x).arg(y)
                    .arg(pixelAt(got.pixels, x, y), 8, 16).arg(expected.pixel(x, y), 8, 16).toStdString();
    return {};
}

} // namespace

TEST(JpegArea, DecodesTheAreaAsQtsReaderWithAClipRectangle)
{
    const Jpeg variants[] = {
        {"4:2:0", JCS_YCbCr, 2, 2, false, 0, false},
        {"4:2:2", JCS_YCbCr, 2, 1, false, 0, false},
        {"4:4:0", JCS_YCbCr, 1, 2, false, 0, false},
        {"4:4:4", JCS_YCbCr, 1, 1, false, 0, false},
        {"stored as rgb", JCS_RGB, 1, 1, false, 0, false},
        {"grey", JCS_GRAYSCALE, 1, 1, false, 0, false},
        {"progressive 4:2:0", JCS_YCbCr, 2, 2, true, 0, false},
        {"progressive grey", JCS_GRAYSCALE, 1, 1, true, 0, false},
        {"restart every row", JCS_YCbCr, 2, 2, false, 1, false},
        {"arithmetic coding", JCS_YCbCr, 2, 1, false, 0, false},
    };
    QList<std::pair<std::string, QByteArray>> files;
    for (const QSize size : {QSize(37, 23), QSize(203, 41)}) {
        const std::string suffix = " " + std::to_string(size.width()) + "x" + std::to_string(size.height());
        for (const Jpeg &v : variants)
            files.append({v.name + suffix, jpegOf(v, size.width(), size.height())});
        files.append({"qt baseline" + suffix, qtJpegOf(QImage::Format_RGB32, false, size.width(), size.height())});
        files.append({"qt progressive" + suffix, qtJpegOf(QImage::Format_RGB32, true, size.width(), size.height())});
        files.append({"qt grey" + suffix, qtJpegOf(QImage::Format_Grayscale8, false, size.width(), size.height())});
        files.append({"damaged data" + suffix, damaged(jpegOf(variants[0], size.width(), size.height()))});
    }
    // Rows past the area are never decoded, so a header claiming 65000 rows of which 300
    // are stored reads as the stored file does.
    const QByteArray tall = jpegOf(variants[0], 1000, 300);
    files.append({"header of 1000x65000", withSize(tall, 1000, 65000)});

    QTemporaryDir dir;
    const QString tallPath = dir.filePath("tall.jpg");
    testsupport::writeFile(tallPath, tall);
    for (const auto &[name, bytes] : files) {
        const QString path = dir.filePath(QString::fromStdString(name).replace(' ', '_').replace(':', '-'));
        testsupport::writeFile(path, bytes);
        const bool isTall = name.rfind("header", 0) == 0;
        for (const QSize map : {QSize(256, 256), QSize(20, 7), QSize(37, 23), QSize(1, 1), QSize(64, 40)}) {
            const QImage expected = reference(isTall ? tallPath : path, map);
            ASSERT_FALSE(expected.isNull()) << name;
            const std::optional<picture::Area> area = readJpeg(path, map);
            ASSERT_TRUE(area && area->ok()) << name << ": " << (area ? area->reason.toStdString() : "declined");
            EXPECT_EQ(area->pictureSize, QImageReader(path).size()) << name;
            EXPECT_EQ(firstDifference(*area, expected), "") << name << " in " << map.width() << "x" << map.height();
        }
    }
}

TEST(JpegArea, RefusesWhatItCannotReadWithItsCause)
{
    using picture::Failure;
    const Jpeg baseline{"", JCS_YCbCr, 2, 2, false, 0, false};
    const Jpeg progressive{"", JCS_YCbCr, 2, 2, true, 0, false};
    const QByteArray plain = jpegOf(baseline, 200, 160);
    const QByteArray steps = jpegOf(progressive, 200, 160);
    QByteArray badPrecision = plain;
    badPrecision[frameHeader(plain) + 2] = 13;

    struct Case { const char *name; QByteArray bytes; QSize map; Failure failure; QString says; };
    const Case cases[] = {
        {"cut in the area's rows", plain.left(plain.size() / 2), {256, 256}, Failure::Truncated, "ends"},
        {"cut in the header", plain.left(40), {256, 256}, Failure::Truncated, "ends"},
        {"progressive, cut in the last scan", steps.left(steps.size() - 100), {8, 8}, Failure::Truncated, "ends"},
        {"unknown precision", badPrecision, {64, 64}, Failure::Undecodable, "precision 13"},
        {"progressive 30000x30000", withSize(steps, 30000, 30000), {64, 64}, Failure::TooLarge, "30000 x 30000"},
        {"1001 scans", withRepeatedLastScan(steps, 1001), {64, 64}, Failure::Undecodable, "scans"},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name).replace(' ', '_'));
        testsupport::writeFile(path, c.bytes);
        const std::optional<picture::Area> area = readJpeg(path, c.map);
        ASSERT_TRUE(area) << c.name;
        EXPECT_EQ(int(area->failure), int(c.failure)) << c.name << ": " << area->reason.toStdString();
        EXPECT_TRUE(area->reason.contains(c.says)) << c.name << ": " << area->reason.toStdString();
    }

    // Cut after the area's last row: nothing the area needs is missing.
    const QString cut = dir.filePath("cut.jpg"), whole = dir.filePath("whole.jpg");
    testsupport::writeFile(cut, plain.left(plain.size() * 3 / 4));
    testsupport::writeFile(whole, plain);
    const std::optional<picture::Area> area = readJpeg(cut, {64, 32});
    ASSERT_TRUE(area && area->ok()) << (area ? area->reason.toStdString() : "declined");
    EXPECT_EQ(firstDifference(*area, reference(whole, {64, 32})), "");

    // CMYK is left to the whole-picture decoder.
    const QString cmyk = dir.filePath("cmyk.jpg");
    testsupport::writeFile(cmyk, jpegOf({"", JCS_CMYK, 1, 1, false, 0, false}, 16, 16));
    EXPECT_FALSE(readJpeg(cmyk, {64, 64}).has_value());
}
