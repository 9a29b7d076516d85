// Fitting a picture to the map: known answers, the literal oracle on every mode and
// resampling, and the row source of every format against Qt's whole decode.
#include "core/picture/PictureFit.h"
#include "core/qtimage/QtImage.h"
#include "oracle/Oracles.h"
#include "TestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using picture::argb;
using picture::Argb;
using picture::Fit;
using picture::Pixels;
using picture::Resample;

Pixels pixelsOf(int width, int height, std::initializer_list<Argb> values)
{
    Pixels p(width, height);
    auto it = values.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.row(y)[x] = *it++;
    return p;
}

constexpr Argb Black = argb(0, 0, 0), White = argb(255, 255, 255);
constexpr Argb Red = argb(255, 0, 0), Green = argb(0, 255, 0), Blue = argb(0, 0, 255);

/// A row of the map as text: one letter per tile (K black, W white, R, G, B, . no pixel,
/// ? anything else) so that a table can hold whole answers.
std::string rowText(const Pixels &p, int y)
{
    std::string s;
    for (int x = 0; x < p.width(); ++x) {
        const Argb c = p.at(x, y);
        s += c == 0 ? '.' : c == Black ? 'K' : c == White ? 'W' : c == Red ? 'R' : c == Green ? 'G'
            : c == Blue ? 'B' : '?';
    }
    return s;
}

std::vector<std::string> rowsText(const Pixels &p)
{
    std::vector<std::string> rows;
    for (int y = 0; y < p.height(); ++y)
        rows.push_back(rowText(p, y));
    return rows;
}

Pixels noisePicture(int width, int height, int salt)
{
    Pixels p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int n = testsupport::noise(x, y, salt);
            // about one pixel in eight has no colour
            p.row(y)[x] = (n & 7) == 0 ? 0 : argb(n, testsupport::noise(x, y, salt + 1), x * 9);
        }
    return p;
}

} // namespace

TEST(PictureFit, KnownAnswers)
{
    const Pixels checker = pixelsOf(2, 2, {Black, White, White, Black});
    // Halved in linear light: the mean of 0 and 1 is 0.5, sRGB 187.5..., so 188, not 128.
    EXPECT_EQ(picture::fitted(checker, {1, 1}, {Fit::Stretch, Resample::Area}).at(0, 0),
              argb(188, 188, 188));
    EXPECT_EQ(picture::fitted(checker, {1, 1}, {Fit::Cover, Resample::Area}).at(0, 0),
              argb(188, 188, 188));
    // The centre (1, 1) lies on pixel edges: the pixel right and below.
    EXPECT_EQ(picture::fitted(checker, {1, 1}, {Fit::Stretch, Resample::Nearest}).at(0, 0), Black);

    const Pixels rgb = pixelsOf(3, 1, {Red, Green, Blue});
    const Pixels one = pixelsOf(1, 1, {Red});
    const Pixels wide = pixelsOf(5, 3, {Red, Red, Green, Blue, Blue, //
                                        Red, Green, Green, Blue, Blue, //
                                        Red, Green, Blue, Blue, Red});
    struct Case
    {
        const char *name;
        Pixels picture;
        QSize map;
        picture::FitOptions options;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        // s = 5/3: 5 x round(5/3) = 5 x 2 tiles at (0, floor(3/2)).
        {"contain 3x1 on 5x5, nearest", rgb, {5, 5}, {Fit::Contain, Resample::Nearest},
         {".....", "RRGBB", "RRGBB", ".....", "....."}},
        {"contain 3x1 on 5x5, area", rgb, {5, 5}, {Fit::Contain, Resample::Area},
         {".....", "R?G?B", "R?G?B", ".....", "....."}},
        // One pixel: s = min(5, 4), a 4 x 4 target at (floor(1/2), 0).
        {"contain 1 pixel on 5x4", one, {5, 4}, {Fit::Contain, Resample::Area},
         {"RRRR.", "RRRR.", "RRRR.", "RRRR."}},
        {"cover 1 pixel on 5x4", one, {5, 4}, {Fit::Cover, Resample::Nearest},
         {"RRRRR", "RRRRR", "RRRRR", "RRRRR"}},
        // rw = min(5, 3 * 4 / 4) = 3 from x = 1: centres 1.375, 2.125, 2.875, 3.625.
        {"cover 5x3 on 4x4, nearest", wide, {4, 4}, {Fit::Cover, Resample::Nearest},
         {"RGGB", "GGGB", "GGGB", "GBBB"}},
        {"stretch 3x1 on 3x2", rgb, {3, 2}, {Fit::Stretch, Resample::Area}, {"RGB", "RGB"}},
        {"stretch 1 pixel on 2x1", one, {2, 1}, {Fit::Stretch, Resample::Nearest}, {"RR"}},
    };
    for (const Case &c : cases) {
        const Pixels got = picture::fitted(c.picture, c.map, c.options);
        EXPECT_EQ(rowsText(got), c.rows) << c.name;
        EXPECT_EQ(got, oracle::fitted(c.picture, c.map, c.options)) << c.name;
    }
    // More than half of a tile without a colour: no pixel; less: the colour of the rest.
    const Pixels holes = pixelsOf(3, 1, {0, 0, Red});
    EXPECT_EQ(rowText(picture::fitted(holes, {1, 1}, {Fit::Stretch, Resample::Area}), 0), ".");
    const Pixels fewHoles = pixelsOf(3, 1, {0, Red, Red});
    EXPECT_EQ(rowText(picture::fitted(fewHoles, {1, 1}, {Fit::Stretch, Resample::Area}), 0), "R");
    // Exactly half (2 pixels onto 5 tiles: the middle tile straddles both): the colour.
    const Pixels half = pixelsOf(2, 1, {0, Red});
    EXPECT_EQ(rowText(picture::fitted(half, {5, 1}, {Fit::Stretch, Resample::Area}), 0), "..RRR");
}

TEST(PictureFit, EveryModeAndResamplingMatchesTheLiteralForm)
{
    const QSize pictures[] = {{1, 1}, {2, 2}, {3, 7}, {13, 5}, {40, 31}, {64, 64}, {7, 100}};
    const QSize maps[] = {{4, 4}, {5, 3}, {16, 16}, {7, 11}, {64, 64}};
    int salt = 0;
    for (const QSize size : pictures) {
        const Pixels p = noisePicture(size.width(), size.height(), salt += 3);
        for (const QSize map : maps)
            for (const Fit fit : {Fit::Stretch, Fit::Contain, Fit::Cover})
                for (const Resample resample : {Resample::Area, Resample::Nearest}) {
                    const picture::FitOptions options{fit, resample};
                    const Pixels got = picture::fitted(p, map, options);
                    const Pixels expected = oracle::fitted(p, map, options);
                    ASSERT_EQ(got.size(), map);
                    for (int y = 0; y < map.height(); ++y)
                        ASSERT_EQ(rowsText(got)[size_t(y)].size(), size_t(map.width()));
                    EXPECT_EQ(got, expected)
                        << size.width() << "x" << size.height() << " on " << map.width() << "x"
                        << map.height() << " " << picture::fitName(fit).toStdString() << " "
                        << picture::resampleName(resample).toStdString();
                }
    }
}

TEST(PictureFit, FileReadRowByRowGivesWhatThePixelsGive)
{
    // A PNG and a bottom-up BMP written by Qt: the fitted file must be the fitted whole
    // picture as the area reader reads it, and `none` must stay the top-left area exactly.
    QTemporaryDir dir;
    for (const char *format : {"png", "bmp"}) {
        const QString path = dir.filePath(QStringLiteral("p.%1").arg(QLatin1String(format)));
        ASSERT_TRUE(qtimage::toImage(noisePicture(45, 29, 5)).save(path, format));
        const Pixels p = picture::readArea(path, {1000, 1000}).pixels;
        ASSERT_EQ(p.size(), QSize(45, 29));
        for (const Fit fit : {Fit::Stretch, Fit::Contain, Fit::Cover})
            for (const Resample resample : {Resample::Area, Resample::Nearest}) {
                const picture::Area area = picture::readFitted(path, {16, 24}, {fit, resample});
                ASSERT_TRUE(area.ok()) << area.reason.toStdString();
                EXPECT_EQ(area.pictureSize, p.size());
                EXPECT_EQ(area.pixels, picture::fitted(p, {16, 24}, {fit, resample})) << format;
            }
        EXPECT_EQ(picture::readFitted(path, {16, 24}, {}).pixels,
                  picture::readArea(path, {16, 24}).pixels);
    }
    const picture::Area missing =
        picture::readFitted(dir.filePath("none.png"), {16, 16}, {Fit::Cover, Resample::Area});
    EXPECT_EQ(missing.failure, picture::Failure::Missing);
    EXPECT_TRUE(missing.pixels.isNull());
}
