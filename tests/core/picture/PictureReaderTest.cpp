// The area reader against Qt's whole-picture decoder on small pictures of each format and
// variant, written byte by byte (BMP) or through the formats' own libraries (PNG, GIF), plus
// truncated files, lying headers and files that are no pictures.
#include "core/picture/ColorKey.h"
#include "core/picture/PictureReader.h"
#include "core/qtimage/QtImage.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gif_lib.h>
#include <png.h>
#include <zlib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using testsupport::noise;

void put(QByteArray &out, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

struct Bmp { const char *name; int dib, bpp; quint32 compression; bool topDown; int colors; QList<quint32> masks; };

QByteArray bmpOf(const Bmp &v, int width, int height)
{
    const int stride = (width * v.bpp + 31) / 32 * 4;
    const bool core = v.dib == 12;
    const int entry = core ? 3 : 4;
    const int outerMasks = (v.dib == 40 && v.compression != 0) ? int(v.masks.size()) * 4 : 0;
    const int offset = 14 + v.dib + outerMasks + v.colors * entry;
    QByteArray out("BM");
    put(out, quint32(offset + stride * height), 4);
    put(out, 0, 4);
    put(out, quint32(offset), 4);
    put(out, quint32(v.dib), 4);
    put(out, quint32(width), core ? 2 : 4);
    put(out, quint32(v.topDown ? -height : height), core ? 2 : 4);
    put(out, 1, 2);
    put(out, quint32(v.bpp), 2);
    if (!core) {
        put(out, v.compression, 4);
        for (int i = 0; i < 3; ++i) // image size, resolution
            put(out, 0, 4);
        put(out, quint32(v.bpp <= 8 && v.colors < (1 << v.bpp) ? v.colors : 0), 4);
        put(out, 0, 4);
        for (int i = 0; i < v.dib - 40; i += 4)
            put(out, i / 4 < v.masks.size() ? v.masks[i / 4] : 0, 4);
        for (int i = 0; i < outerMasks / 4; ++i)
            put(out, v.masks[i], 4);
    }
    for (int i = 0; i < v.colors * entry; ++i)
        out.append(char(noise(i, 7, 1)));
    for (int y = 0; y < height; ++y)
        for (int b = 0; b < stride; ++b)
            out.append(char(noise(b, y, v.bpp)));
    return out;
}

struct Png { const char *name; int colorType, depth; bool interlaced, tRNS; };

void pngWrite(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<char *>(data), qsizetype(length));
}

QByteArray pngOf(const Png &v, int width, int height)
{
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, pngWrite, nullptr);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), v.depth, v.colorType,
                 v.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, 0, 0);
    std::vector<png_color> palette(size_t(1) << (v.colorType == PNG_COLOR_TYPE_PALETTE ? v.depth : 0));
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = {noise(int(i), 0, 2), noise(int(i), 1, 2), noise(int(i), 2, 2)};
    if (v.colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    png_byte alphas[4] = {0, 128, 0, 255};
    png_color_16 key{};
    key.red = key.green = key.blue = key.gray = 1;
    if (v.tRNS)
        png_set_tRNS(png, info, alphas, 4, &key);
    png_write_info(png, info);
    const png_size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(height), std::vector<png_byte>(rowBytes));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < height; ++y) {
        for (size_t b = 0; b < rowBytes; ++b)
            rows[size_t(y)][b] = noise(int(b), y, 3) % 4 == 0 ? 1 : noise(int(b), y, 4);
        pointers.push_back(rows[size_t(y)].data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

struct Gif { const char *name; bool interlaced; int transparent; int tableSize; bool local; int left; };

int gifWrite(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

QByteArray gifOf(const Gif &v, int width, int height)
{
    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, gifWrite, &error);
    std::vector<GifColorType> colors(size_t(v.tableSize));
    for (int i = 0; i < v.tableSize; ++i)
        colors[size_t(i)] = {noise(i, 0, 5), noise(i, 1, 5), noise(i, 2, 5)};
    ColorMapObject *map = GifMakeMapObject(v.tableSize, colors.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 8, 0, v.local ? nullptr : map);
    if (v.transparent >= 0) {
        GraphicsControlBlock control{0, false, 0, v.transparent};
        GifByteType block[4];
        EGifGCBToExtension(&control, block);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block);
    }
    const int frameWidth = width - v.left;
    EGifPutImageDesc(gif, v.left, 0, frameWidth, height, v.interlaced, v.local ? map : nullptr);
    std::vector<int> order;
    for (auto [start, step] : v.interlaced ? std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}
                                           : std::vector<std::pair<int, int>>{{0, 1}})
        for (int y = start; y < height; y += step)
            order.push_back(y);
    std::vector<GifPixelType> line(static_cast<size_t>(frameWidth));
    for (int y : order) {
        for (int x = 0; x < frameWidth; ++x)
            line[size_t(x)] = GifPixelType(noise(x, y, 6) % 40);
        EGifPutLine(gif, line.data(), frameWidth);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

// The PNG with its header's size replaced (and the header's CRC made to match).
QByteArray withHeader(QByteArray png, quint32 width, quint32 height)
{
    qToBigEndian<quint32>(width, png.data() + 16);
    qToBigEndian<quint32>(height, png.data() + 20);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(png.constData() + 12), 17);
    qToBigEndian<quint32>(quint32(crc), png.data() + 29);
    return png;
}

QByteArray saved(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage noiseImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(noise(x, y, 8) & 0xe0, noise(x, y, 9) & 0xe0, x * 8));
    return image;
}

// Qt's decoder, whole, cut to the area.
QImage reference(const QString &path, QSize map)
{
    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QImage whole = reader.read();
    if (whole.isNull())
        return whole;
    return whole.copy(0, 0, qMin(whole.width(), map.width()), qMin(whole.height(), map.height()))
        .convertToFormat(QImage::Format_ARGB32);
}

// The first differing pixel's coordinates and values, or an empty string.
/// Collects what readRows hands over, counting pixels that come twice or land outside.
struct CollectingSink : picture::RowSink
{
    picture::Pixels image;
    std::vector<int> times;
    int stray = 0;
    void begin(QSize size) override
    {
        image = picture::Pixels(size.width(), size.height());
        times.assign(size_t(size.width()) * size_t(size.height()), 0);
    }
    void pixels(int y, int first, int step, const picture::Argb *row, int count) override
    {
        for (int k = 0; k < count; ++k) {
            const int x = first + k * step;
            if (y < 0 || x < 0 || y >= image.height() || x >= image.width()) {
                ++stray;
                continue;
            }
            image.row(y)[x] = row[k];
            ++times[size_t(y) * size_t(image.width()) + size_t(x)];
        }
    }
};

std::string firstDifference(const picture::Pixels &got, const QImage &expectedImage)
{
    const picture::Pixels expected = qtimage::fromImage(expectedImage);
    if (got.size() != expected.size())
        return "size differs";
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x)
            if (colorkey::pixelValue(got, x, y) != colorkey::pixelValue(expected, x, y))
                return QStringLiteral("pixel %1,%2: %3 instead of %4").arg(x).arg(y)
                    .arg(colorkey::pixelValue(got, x, y)).arg(colorkey::pixelValue(expected, x, y))
                    .toStdString();
    return {};
}

} // namespace

TEST(PictureReader, ReadsTheAreaExactlyAsQtDecodesTheWholePicture)
{
    const int w = 37, h = 23;
    QList<std::pair<std::string, QByteArray>> files;
    const Bmp bmps[] = {
        {"bmp 1-bit", 40, 1, 0, false, 2, {}}, {"bmp 4-bit 9 colours", 40, 4, 0, false, 9, {}},
        {"bmp 8-bit top-down", 40, 8, 0, true, 256, {}}, {"bmp 8-bit 200 colours", 40, 8, 0, false, 200, {}},
        {"bmp core 8-bit", 12, 8, 0, false, 256, {}}, {"bmp core 24-bit", 12, 24, 0, false, 0, {}},
        {"bmp 16-bit", 40, 16, 0, false, 0, {}}, {"bmp 24-bit", 40, 24, 0, false, 0, {}},
        {"bmp 24-bit top-down", 40, 24, 0, true, 0, {}}, {"bmp 32-bit", 40, 32, 0, false, 0, {}},
        {"bmp 16-bit 565", 40, 16, 3, false, 0, {0xf800, 0x07e0, 0x001f}},
        {"bmp 32-bit fields", 40, 32, 3, false, 0, {0xff0000, 0xff00, 0xff}},
        {"bmp v4 32-bit alpha", 108, 32, 3, false, 0, {0xff0000, 0xff00, 0xff, 0xff000000}},
        {"bmp v5 32-bit BGRA", 124, 32, 3, true, 0, {0xff00, 0xff0000, 0xff000000, 0xff}},
        {"bmp v5 32-bit plain", 124, 32, 0, false, 0, {}},
        {"bmp v4 16-bit 4444", 108, 16, 3, false, 0, {0x0f00, 0x00f0, 0x000f, 0xf000}},
    };
    for (const Bmp &b : bmps)
        files.append({b.name, bmpOf(b, w, h)});
    const Png pngs[] = {
        {"png rgb", PNG_COLOR_TYPE_RGB, 8, false, false}, {"png rgba", PNG_COLOR_TYPE_RGBA, 8, false, false},
        {"png rgb 16-bit", PNG_COLOR_TYPE_RGB, 16, false, false}, {"png rgb key", PNG_COLOR_TYPE_RGB, 8, false, true}, {"png rgba 16-bit", PNG_COLOR_TYPE_RGBA, 16, false, false},
        {"png grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, false, false}, {"png grey 4-bit key", PNG_COLOR_TYPE_GRAY, 4, false, true},
        {"png grey+alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {"png palette 2-bit tRNS", PNG_COLOR_TYPE_PALETTE, 2, false, true},
        {"png palette 8-bit interlaced", PNG_COLOR_TYPE_PALETTE, 8, true, false},
        {"png rgba interlaced", PNG_COLOR_TYPE_RGBA, 8, true, false},
    };
    for (const Png &p : pngs)
        files.append({p.name, pngOf(p, w, h)});
    const Gif gifs[] = {
        {"gif", false, -1, 64, false, 0}, {"gif interlaced", true, -1, 64, false, 0},
        {"gif transparent", false, 3, 64, false, 0}, {"gif local table", false, -1, 64, true, 0},
        {"gif short table", false, -1, 32, false, 0}, {"gif offset frame", false, -1, 64, false, 5},
    };
    for (const Gif &g : gifs)
        files.append({g.name, gifOf(g, w, h)});
    files.append({"jpeg", saved(noiseImage(w, h), "JPG")});
    files.append({"ppm", saved(noiseImage(w, h), "PPM")});

    QTemporaryDir dir;
    for (const auto &[name, bytes] : files) {
        const QString path = dir.filePath(QString::fromStdString(name).replace(' ', '_'));
        testsupport::writeFile(path, bytes);
        for (const QSize map : {QSize(256, 256), QSize(20, 7), QSize(37, 23)}) {
            const QImage expected = reference(path, map);
            ASSERT_FALSE(expected.isNull()) << name;
            const picture::Area area = picture::readArea(path, map);
            ASSERT_TRUE(area.ok()) << name << ": " << area.reason.toStdString();
            EXPECT_EQ(area.pictureSize, QSize(w, h)) << name;
            EXPECT_EQ(firstDifference(area.pixels, expected), "") << name << " in " << map.width() << "x" << map.height();
        }
        // The whole picture row by row: each pixel once, as Qt decodes it.
        CollectingSink sink;
        const picture::Area rows = picture::readRows(path, sink);
        ASSERT_TRUE(rows.ok()) << name << ": " << rows.reason.toStdString();
        EXPECT_EQ(rows.pictureSize, QSize(w, h)) << name;
        EXPECT_EQ(sink.stray, 0) << name;
        EXPECT_EQ(std::count(sink.times.begin(), sink.times.end(), 1), w * h) << name;
        EXPECT_EQ(firstDifference(sink.image, reference(path, QSize(w, h))), "") << name << " rows";
    }
}

TEST(PictureReader, ReadsBmpRowsInBlocksAcrossBlockEnds)
{
    // 700 rows of 2400 bytes: a 1 MiB block holds 436 of them, so a full-size area takes
    // two blocks, bottom-up and top-down alike; a narrow area is read row by row.
    QTemporaryDir dir;
    for (const bool topDown : {false, true}) {
        const QString path = dir.filePath(topDown ? "down.bmp" : "up.bmp");
        testsupport::writeFile(path, bmpOf({"", 40, 32, 0, topDown, 0, {}}, 600, 700));
        for (const QSize map : {QSize(600, 700), QSize(600, 437), QSize(5, 700)}) {
            const picture::Area area = picture::readArea(path, map);
            ASSERT_TRUE(area.ok()) << area.reason.toStdString();
            EXPECT_EQ(firstDifference(area.pixels, reference(path, map)), "")
                << (topDown ? "top-down " : "bottom-up ") << map.width() << "x" << map.height();
        }
    }
}

TEST(PictureReader, RefusesWhatItCannotReadWithItsCause)
{
    using picture::Failure;
    const Bmp bmp24{"", 40, 24, 0, false, 0, {}};
    const QByteArray bmp = bmpOf(bmp24, 64, 64);
    const QByteArray png = pngOf({"", PNG_COLOR_TYPE_RGB, 8, false, false}, 64, 64);
    const QByteArray gif = gifOf({"", false, -1, 64, false, 0}, 64, 64);
    QByteArray hugeBmp = bmpOf(bmp24, 4, 4);
    qToLittleEndian<qint32>(0x7fffffff, hugeBmp.data() + 18);
    qToLittleEndian<qint32>(-0x7fffffff, hugeBmp.data() + 22);
    const QByteArray tinyPng = pngOf({"", PNG_COLOR_TYPE_RGBA, 16, false, false}, 1, 1);
    QByteArray badCrc = tinyPng;
    badCrc[16] = 2;

    struct Case { const char *name; QByteArray bytes; QSize map; Failure failure; };
    const Case cases[] = {
        {"bmp cut in the rows", bmp.left(bmp.size() - 100), {8, 8}, Failure::Truncated},
        {"bmp cut in the header", bmp.left(30), {8, 8}, Failure::Truncated},
        {"bmp of 2^31 x 2^31 pixels", hugeBmp, {256, 256}, Failure::Truncated},
        {"png cut in the area", png.left(png.size() / 2), {64, 64}, Failure::Truncated},
        {"png cut in the header", png.left(20), {64, 64}, Failure::Truncated},
        {"png with a damaged header", badCrc, {64, 64}, Failure::Undecodable},
        {"png of 2^31 - 1 columns", withHeader(tinyPng, 0x7fffffff, 1), {64, 64}, Failure::TooLarge},
        {"gif cut in the area", gif.left(gif.size() / 2), {64, 64}, Failure::Truncated},
        {"ppm of 30000 x 30000 pixels", QByteArray("P6 30000 30000 255\n") + QByteArray(64, 'x'), {64, 64}, Failure::TooLarge},
        {"text", "this is not a picture\n", {64, 64}, Failure::Undecodable},
        {"empty", QByteArray(), {64, 64}, Failure::Undecodable},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name).replace(' ', '_'));
        testsupport::writeFile(path, c.bytes);
        const picture::Area area = picture::readArea(path, c.map);
        EXPECT_EQ(int(area.failure), int(c.failure)) << c.name << ": " << area.reason.toStdString();
        EXPECT_TRUE(area.pixels.isNull()) << c.name;
        EXPECT_FALSE(area.reason.isEmpty()) << c.name;
    }
    EXPECT_EQ(picture::readArea(dir.filePath("gone.png"), {64, 64}).failure, Failure::Missing);
    EXPECT_EQ(picture::readArea(dir.path(), {64, 64}).failure, Failure::NotAFile);
    EXPECT_EQ(picture::readArea("/dev/zero", {64, 64}).failure, Failure::NotAFile);
}

TEST(PictureReader, ReadsOnlyTheRowsTheMapNeeds)
{
    // 20000 x 600 pixels stored, header raised to 20000 x 20000 (1.5 GiB as 32-bit pixels):
    // the rows past the area are never read, so the missing ones do not matter.
    const QByteArray png = pngOf({"", PNG_COLOR_TYPE_GRAY, 1, false, false}, 20000, 600);
    QTemporaryDir dir;
    const QString stored = dir.filePath("stored.png"), tall = dir.filePath("tall.png");
    testsupport::writeFile(stored, png);
    testsupport::writeFile(tall, withHeader(png, 20000, 20000));
    const picture::Area area = picture::readArea(tall, {256, 256});
    ASSERT_TRUE(area.ok()) << area.reason.toStdString();
    EXPECT_EQ(area.pictureSize, QSize(20000, 20000));
    EXPECT_EQ(firstDifference(area.pixels, reference(stored, {256, 256})), "");
}
