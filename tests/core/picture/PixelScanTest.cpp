// The scan and the de-duplication against a plain rendering of the per-pixel duplicate
// removal, plus the progress percentage.
#include "core/picture/ColorKey.h"
#include "core/picture/PixelScan.h"
#include "core/qtimage/QtImage.h"

#include "oracle/Oracles.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// The duplicate-removal pass as the colour list runs it: both loops downwards, the entry at
// index i is the key of outer step i, every other equal entry is removed.
void referencePass(QStringList &list)
{
    const int n = int(list.size());
    for (int i = n - 1; i >= 0; --i) {
        if (i >= list.size())
            continue;
        const QString key = list.at(i);
        const int m = int(list.size());
        for (int j = m - 1; j >= 0; --j)
            if (j != i && list.at(j) == key)
                list.removeAt(j);
    }
}

// Adds each pixel's key at the end of the list and runs the pass after every pixel.
QStringList referenceScan(const picture::Pixels &picture, int width, int height)
{
    QStringList list;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            list.append(colorkey::colorKey(colorkey::pixelValue(picture, x, y)));
            referencePass(list);
        }
    return list;
}

QStringList randomKeys(std::mt19937 &rng, int count, int distinct)
{
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    QStringList keys;
    for (int i = 0; i < count; ++i)
        keys.append(colorkey::colorKey(qint32(qint64(pick(rng)) * 4099 % 0x1000000)));
    return keys;
}

QImage randomPicture(std::mt19937 &rng, int width, int height, int palette, bool transparency)
{
    std::uniform_int_distribution<int> pick(0, palette - 1);
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int c = pick(rng);
            const bool clear = transparency && c == 0;
            picture.setPixel(x, y, qRgba(c * 37 % 256, c * 11 % 256, c * 5 % 256, clear ? 0 : 255));
        }
    return picture;
}

// A picture with `distinct` colours spread over a width x height area, row by row.
QImage manyColors(int width, int height, int distinct)
{
    QImage picture(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int c = (y * width + x) % distinct;
            picture.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, 7));
        }
    return picture;
}

QStringList keysOf(const pixelscan::ScanResult &result)
{
    return colorkey::colorKeys(result.values);
}

} // namespace

TEST(Deduplicated, MatchesTheDownwardPass)
{
    struct Case { const char *name; int count; int distinct; };
    const Case cases[] = {
        {"many repeats", 400, 7},  {"some repeats", 300, 150}, {"no repeats", 200, 1000000},
        {"one key", 50, 1},        {"single entry", 1, 5},     {"empty", 0, 1},
    };
    std::mt19937 rng(20240611);
    for (const Case &c : cases)
        for (int round = 0; round < 20; ++round) {
            const QStringList input = randomKeys(rng, c.count, c.distinct);
            QStringList expected = input;
            referencePass(expected);
            EXPECT_EQ(oracle::deduplicated(input), expected) << c.name << " round " << round;
        }
}

TEST(Deduplicated, KeepsTheLastOfEqualEntries)
{
    EXPECT_EQ(oracle::deduplicated({"A", "B", "A", "C", "A"}), QStringList({"B", "C", "A"}));
    EXPECT_EQ(oracle::deduplicated({"A", "A", "A"}), QStringList({"A"}));
    // Exact text: case and padding make different keys.
    EXPECT_EQ(oracle::deduplicated({"a", "A", "0255", "00000255"}),
              QStringList({"a", "A", "0255", "00000255"}));
}

TEST(Scan, MatchesAddingEachKeyAndRemovingDuplicates)
{
    struct Case { int pictureW, pictureH, areaW, areaH, palette; bool transparency; };
    const Case cases[] = {
        {8, 8, 8, 8, 3, false},   {8, 8, 8, 8, 60, false},  {10, 7, 10, 7, 1, false},
        {5, 4, 9, 6, 4, false},   // smaller than the area: the rest reads as no pixel
        {16, 12, 9, 6, 30, false}, // larger: only the top-left area counts
        {9, 9, 9, 9, 5, true},    // fully transparent pixels read as no pixel
    };
    std::mt19937 rng(7);
    for (const Case &c : cases)
        for (int round = 0; round < 5; ++round) {
            const picture::Pixels picture =
                qtimage::fromImage(randomPicture(rng, c.pictureW, c.pictureH, c.palette, c.transparency));
            const pixelscan::ScanResult result = pixelscan::scan(picture, c.areaW, c.areaH);
            EXPECT_FALSE(result.tooManyColors);
            EXPECT_EQ(keysOf(result), referenceScan(picture, c.areaW, c.areaH))
                << c.pictureW << "x" << c.pictureH << " on " << c.areaW << "x" << c.areaH;
            EXPECT_EQ(result.distinctColors, result.values.size());
            // Each colour's pixel count, counted pixel by pixel.
            QList<int> counted(result.values.size(), 0);
            for (int y = 0; y < c.areaH; ++y)
                for (int x = 0; x < c.areaW; ++x)
                    ++counted[result.values.indexOf(colorkey::pixelValue(picture, x, y))];
            EXPECT_EQ(result.counts, counted);
        }
}

TEST(Scan, OrdersByLastOccurrenceAndReportsEveryRow)
{
    // red, blue, red along the first row: blue comes first, red last.
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgb(0, 255, 0));
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    picture.setPixel(2, 0, qRgb(255, 0, 0));
    QList<int> rows;
    const auto result = pixelscan::scan(qtimage::fromImage(picture), 3, 1, [&](int done) { rows << done; });
    EXPECT_EQ(keysOf(result), QStringList({"16711680", "00000255"}));
    EXPECT_EQ(result.counts, QList<int>({1, 2}));
    EXPECT_EQ(rows, QList<int>({1}));

    rows.clear();
    const auto wider = pixelscan::scan(qtimage::fromImage(picture), 4, 3, [&](int done) { rows << done; });
    EXPECT_EQ(keysOf(wider), QStringList({"16711680", "00000255", "00065280", "-00000001"}));
    EXPECT_EQ(wider.counts, QList<int>({1, 2, 3, 6}));
    EXPECT_EQ(rows, QList<int>({1, 2, 3}));
}

TEST(Scan, ReadsPicturesThatAreNotNormalized)
{
    // An indexed picture must read the same colours as its 32-bit copy, not raw bytes.
    QImage indexed(6, 5, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50)});
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            indexed.setPixel(x, y, (x + y) % 2);
    EXPECT_EQ(qtimage::fromImage(indexed),
              qtimage::fromImage(indexed.convertToFormat(QImage::Format_RGB32)));
    EXPECT_EQ(keysOf(pixelscan::scan(qtimage::fromImage(indexed), 6, 5)),
              QStringList({"00197121", "03302600"}));
}

TEST(Scan, RefusesMoreColorsThanTheListHolds)
{
    struct Case { int distinct; bool tooMany; };
    const Case cases[] = {{32767, false}, {32768, true}, {65536, true}};
    for (const Case &c : cases) {
        const picture::Pixels picture = qtimage::fromImage(manyColors(256, 256, c.distinct));
        const auto result = pixelscan::scan(picture, 256, 256);
        EXPECT_EQ(result.tooManyColors, c.tooMany) << c.distinct;
        EXPECT_EQ(result.distinctColors, c.distinct);
        EXPECT_EQ(result.values.size(), c.tooMany ? 0 : c.distinct);
        EXPECT_EQ(result.counts.size(), result.values.size());
    }
    // Only the map's area counts: the same picture on a smaller map is fine.
    EXPECT_FALSE(pixelscan::scan(qtimage::fromImage(manyColors(256, 256, 65536)), 64, 64).tooManyColors);
    // One row holding more colours than the list: counted to the end, nothing overflows.
    QImage row(70000, 1, QImage::Format_RGB32);
    for (int x = 0; x < row.width(); ++x)
        row.setPixel(x, 0, qRgb(x & 0xFF, (x >> 8) & 0xFF, x >> 16));
    const auto wide = pixelscan::scan(qtimage::fromImage(row), row.width(), 1);
    EXPECT_TRUE(wide.tooManyColors);
    EXPECT_EQ(wide.distinctColors, 70000);
}

TEST(Scan, EmptyAreaGivesNoKeys)
{
    const picture::Pixels picture = qtimage::fromImage(manyColors(4, 4, 3));
    int calls = 0;
    EXPECT_TRUE(pixelscan::scan(picture, 0, 64, [&](int) { ++calls; }).values.isEmpty());
    EXPECT_TRUE(pixelscan::scan(picture, 64, -1, [&](int) { ++calls; }).values.isEmpty());
    EXPECT_EQ(calls, 0);
    // A null picture has no pixels: everything reads as "no pixel".
    EXPECT_EQ(keysOf(pixelscan::scan(picture::Pixels(), 3, 3)), QStringList({"-00000001"}));
    EXPECT_EQ(pixelscan::scan(picture::Pixels(), 3, 3).counts, QList<int>({9}));
}

TEST(ProgressPercent, KnownRows)
{
    struct Case { int rows, width, height, percent; };
    const Case cases[] = {
        {1, 64, 64, 2},     {8, 64, 64, 12},    {24, 64, 64, 38},  {40, 64, 64, 62},
        {56, 64, 64, 88},   {64, 64, 64, 100},  {1, 256, 256, 0},  {2, 256, 256, 1},
        {128, 256, 256, 50}, {256, 256, 256, 100}, {12, 64, 96, 12}, {0, 64, 64, 0},
        {300, 64, 64, 100}, {-3, 64, 64, 0},    {5, 0, 64, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pixelscan::progressPercent(c.rows, c.width, c.height), c.percent)
            << c.rows << " rows of " << c.width << "x" << c.height;
}

TEST(ProgressPercent, EveryRowOfEveryMapSizeRoundsHalfToEven)
{
    const int sizes[] = {64, 96, 128, 192, 256};
    for (int width : sizes)
        for (int height : sizes)
            for (int rows = 1; rows <= height; ++rows) {
                // Exact in binary floating point for these sizes' halves; nearbyint rounds
                // halves to even in the default rounding mode.
                const double exact = double(rows) * width / (double(width) * height) * 100.0;
                const int expected = int(std::nearbyint(exact));
                ASSERT_EQ(pixelscan::progressPercent(rows, width, height), expected)
                    << rows << " rows of " << width << "x" << height;
            }
}
