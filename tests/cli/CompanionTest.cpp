// Runs the real velmora-cli as a script would and checks its output, its exit statuses
// and that failing commands leave every input file as it was.
#include "cli/ExitStatus.h"
#include "core/archive/MpqControl.h"
#include "core/qtimage/QtImage.h"

#include "core/tileset/TerrainRenderer.h"
#include "core/tileset/TileMap.h"
#include "core/tileset/TileMatcher.h"
#include "core/tileset/TileDither.h"
#include "core/tileset/TileVariety.h"
#include "core/picture/ColorKey.h"
#include "core/picture/PictureFit.h"
#include "core/picture/PixelScan.h"

#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using testsupport::readFile;
using testsupport::scenario;
using testsupport::writeFile;
using testsupport::writeMap;

namespace {

const QString Scenario = QStringLiteral("staredit\\scenario.chk");

using CliRun = testsupport::ProgramRun;

CliRun runCli(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    return testsupport::runProgram(QStringLiteral(VELMORA_CLI_PATH), args, env);
}

/// Every file of a folder with its bytes, to show that a command changed none of them.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir d(folder);
    for (const QString &name : d.entryList(QDir::Files | QDir::Hidden))
        files.insert(name, readFile(d.filePath(name)));
    return files;
}

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

/// The expected bytes of a scenario after converting: the value of each tile written little-endian
/// at the first "TILE" and first "MTXM" found in the original bytes.
QByteArray expectedScenario(QByteArray original, int w, int h, const std::function<quint16(int, int)> &tile)
{
    for (const char *name : {"TILE", "MTXM"}) {
        const qsizetype at = original.indexOf(name) + 8;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                qToLittleEndian<quint16>(tile(x, y), original.data() + at + 2 * (y * w + x));
    }
    return original;
}

class Companion : public ::testing::Test
{
public:
    QTemporaryDir dir;
    QString file(const QString &name) const { return dir.filePath(name); }
};

// The picture as the three formats the program offers; each must decode in the companion,
// which runs without a display. The keys come in colour list order: the order of each
// colour's last occurrence, rows from the top, each row from the left.
TEST_F(Companion, ColorsListsEachKeyInListOrderForEveryFormat)
{
    writeMap(file("map.scm"), scenario(64, 64));
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(rgb(255, 255, 255));
    picture.setPixel(0, 63, rgb(255, 0, 0));
    picture.setPixel(1, 63, rgb(0, 255, 0));
    picture.setPixel(63, 63, rgb(0, 0, 255));
    picture.setPixel(5, 5, rgb(0, 0, 255)); // an earlier blue does not move it forward
    ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));

    CliRun r = runCli({"colors", file("map.scm"), file("pic.bmp")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("00000255 1 #FF0000\n"
                                    "00065280 1 #00FF00\n"
                                    "16777215 4092 #FFFFFF\n"
                                    "16711680 2 #0000FF\n"));

    // A 2 x 2 GIF (red, blue / blue, red) on a 64 x 64 map: the rest of the area has no
    // picture pixel and is listed without a colour.
    writeFile(file("pic.gif"),
              QByteArray::fromHex("47494638396102000200800000ff00000000ff2c000000000200020000020344"
                                  "0205003b"));
    r = runCli({"colors", file("map.scm"), file("pic.gif")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("16711680 2 #0000FF\n00000255 2 #FF0000\n-00000001 4092\n"));

    QImage black(64, 64, QImage::Format_RGB32);
    black.fill(rgb(0, 0, 0));
    ASSERT_TRUE(black.save(file("pic.jpg"), "JPEG", 100));
    r = runCli({"colors", file("map.scm"), file("pic.jpg")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("00000000 4096 #000000\n"));
}

TEST_F(Companion, TemplateConvertsToAllZeroTiles)
{
    QByteArray original = scenario(96, 64);
    original.replace(original.indexOf("TILE") + 8, 2 * 96 * 64, QByteArray(2 * 96 * 64, '\x7E'));
    writeMap(file("map.scm"), original);
    QImage picture(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            picture.setPixel(x, y, rgb(x % 3 * 100, y % 2 * 200, 9));
    ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));

    const CliRun t = runCli({"colors", "--template", file("map.scm"), file("pic.bmp")});
    ASSERT_EQ(t.status, 0) << t.err.toStdString();
    EXPECT_EQ(t.out.count(QStringLiteral("=0\n")), 6);
    writeFile(file("colours.txt"), t.out.toUtf8());

    const CliRun c = runCli({"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt")});
    ASSERT_EQ(c.status, 0) << c.err.toStdString();
    EXPECT_EQ(c.err.count('\n'), 1) << "one summary line when standard error is not a terminal";
    EXPECT_TRUE(c.err.contains(QStringLiteral("6 colours, 0 not named"))) << c.err.toStdString();
    QByteArray converted;
    ASSERT_TRUE(MpqControl().readEntry(file("map.scm"), Scenario, &converted));
    EXPECT_EQ(converted, expectedScenario(original, 96, 64, [](int, int) { return quint16(0); }));
}

// --match: the colour file printed holds each colour's nearest terrain tile, from the game
// data folder given or named by VELMORA_GAME_DATA; convert uses the same values, and a colour
// file given as well overrides the colours it names. Without game data: status 15, nothing
// changed.
TEST_F(Companion, MatchedValuesInTheColourFileAndTheConvertedMap)
{
    const QByteArray original = scenario(64, 64, 4); // Jungle World
    writeMap(file("map.scm"), original);
    const testsupport::SyntheticTileset tiles = testsupport::SyntheticTileset::make(9);
    tiles.writeFolder(file("game/tileset"), QStringLiteral("jungle"));
    const QList<QRgb> colours = {rgb(60, 120, 50), rgb(150, 100, 50), rgb(30, 90, 200),
                                 rgb(200, 200, 205), rgb(255, 255, 255)};
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, colours[(x / 8 + y) % colours.size()]);
    ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));

    terrain::TileGraphics graphics;
    ASSERT_TRUE(terrain::TileGraphics::create({tiles.cv5(), tiles.vx4(), false, tiles.vr4(),
                                               tiles.wpe(), "jungle", "game"},
                                              &graphics).ok());
    const terrain::TileMatcher matcher(graphics);
    const auto expected = [&](QRgb c) {
        return *matcher.nearest(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16);
    };

    CliRun r = runCli({"colors", file("map.scm"), file("pic.bmp"), "--match", "--game-data",
                       file("game")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    for (QRgb c : colours) {
        const QString line = QStringLiteral("%1=%2\n")
                                 .arg(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16, 8, 10, QChar('0'))
                                 .arg(expected(c));
        EXPECT_TRUE(r.out.contains(line)) << line.toStdString() << r.out.toStdString();
    }
    // The same from the environment.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_GAME_DATA"), file("game"));
    EXPECT_EQ(runCli({"colors", file("map.scm"), file("pic.bmp"), "--match"}, env).out, r.out);

    // Convert: matched values, white overridden by the colour file.
    writeFile(file("colours.txt"), "#FFFFFF=1234\n");
    r = runCli({"convert", file("map.scm"), file("pic.bmp"), "--match", "--colors",
                file("colours.txt"), "-o", file("out.scm")},
               env);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QByteArray converted;
    ASSERT_TRUE(MpqControl().readEntry(file("out.scm"), Scenario, &converted));
    EXPECT_EQ(converted, expectedScenario(original, 64, 64, [&](int x, int y) {
                  const QRgb c = colours[(x / 8 + y) % colours.size()];
                  return c == rgb(255, 255, 255) ? quint16(1234) : quint16(expected(c));
              }));

    // No game data folder, or one without the tileset: status 15, nothing written.
    env.remove(QStringLiteral("VELMORA_GAME_DATA"));
    const QMap<QString, QByteArray> before = snapshot(dir.path());
    for (const QStringList &extra : {QStringList{}, QStringList{"--game-data", file("nowhere")}}) {
        r = runCli(QStringList{"convert", file("map.scm"), file("pic.bmp"), "--match"} + extra, env);
        EXPECT_EQ(r.status, exitstatus::GameData) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_EQ(runCli({"info", file("map.scm"), "--match"}).status, exitstatus::Usage);
    EXPECT_EQ(runCli({"colors", file("map.scm"), file("pic.bmp"), "--game-data", "x"}).status,
              exitstatus::Usage);
}

// --fit, --dither and --vary give the archive the core's own answers: the picture fitted,
// dithered to the tiles (colors --dither prints those colours with their values), the values
// varied; --match beside --dither changes nothing.
TEST_F(Companion, FitDitherAndVaryAsTheCoreGivesThem)
{
    const QByteArray original = scenario(64, 64, 4); // Jungle World
    writeMap(file("map.scm"), original);
    const testsupport::SyntheticTileset tiles = testsupport::SyntheticTileset::make(9);
    tiles.writeFolder(file("game/tileset"), QStringLiteral("jungle"));
    QImage picture(100, 41, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 2, 60 + y * 3, 200 - x));
    ASSERT_TRUE(picture.save(file("pic.png"), "PNG"));
    terrain::TileGraphics graphics;
    ASSERT_TRUE(terrain::TileGraphics::create({tiles.cv5(), tiles.vx4(), false, tiles.vr4(),
                                               tiles.wpe(), "jungle", "game"},
                                              &graphics).ok());
    const terrain::TileMatcher matcher(graphics);
    const picture::FitOptions cover{picture::Fit::Cover, picture::Resample::Area};
    const picture::Pixels fitted = picture::readFitted(file("pic.png"), {64, 64}, cover).pixels;
    ASSERT_EQ(fitted.size(), QSize(64, 64));
    const terrain::Dithered dithered = terrain::dither(fitted, 64, 64, matcher);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_GAME_DATA"), file("game"));
    const QStringList common{file("map.scm"), file("pic.png"), "--fit", "cover"};
    CliRun r = runCli(QStringList{"convert"} + common + QStringList{"--dither", "-o", file("d.scm")}, env);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QByteArray converted;
    ASSERT_TRUE(MpqControl().readEntry(file("d.scm"), Scenario, &converted));
    const auto ditheredValue = [&](int x, int y) {
        return dithered.values.value(colorkey::pixelValue(dithered.picture, x, y));
    };
    EXPECT_EQ(converted, expectedScenario(original, 64, 64, ditheredValue));
    // --match beside --dither changes nothing.
    r = runCli(QStringList{"convert"} + common + QStringList{"--dither", "--match", "-o", file("dm.scm")}, env);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(file("dm.scm")), readFile(file("d.scm")));

    r = runCli(QStringList{"colors"} + common + QStringList{"--dither"}, env);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const pixelscan::ScanResult scanned = pixelscan::scan(dithered.picture, 64, 64);
    for (qsizetype i = 0; i < scanned.values.size(); ++i) {
        const QString line = QStringLiteral("%1=%2\n").arg(colorkey::colorKey(scanned.values[i]))
                                 .arg(dithered.values.value(scanned.values[i]));
        EXPECT_TRUE(r.out.contains(line)) << line.toStdString();
    }
    EXPECT_EQ(runCli(QStringList{"colors"} + common + QStringList{"--dither", "--template"}, env).out, r.out);

    // Matched colour by colour, then varied.
    r = runCli(QStringList{"convert"} + common + QStringList{"--match", "--vary", "-o", file("v.scm")}, env);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_TRUE(MpqControl().readEntry(file("v.scm"), Scenario, &converted));
    const terrain::TileVariety variety(graphics);
    EXPECT_EQ(converted, expectedScenario(original, 64, 64, [&](int x, int y) {
                  return variety.at(x, y, *matcher.nearest(colorkey::pixelValue(fitted, x, y)));
              }));
    // Without the new options the archive is what it always was.
    r = runCli({"convert", file("map.scm"), file("pic.png"), "--match", "-o", file("m.scm")}, env);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_TRUE(MpqControl().readEntry(file("m.scm"), Scenario, &converted));
    const picture::Pixels area = picture::readArea(file("pic.png"), {64, 64}).pixels;
    EXPECT_EQ(converted, expectedScenario(original, 64, 64, [&](int x, int y) {
                  return matcher.nearest(colorkey::pixelValue(area, x, y)).value_or(0); // no pixel: 0
              }));
}

// render: at 32 pixels per tile each tile is exactly its own pixels (checked against the
// tables the tileset was written from, flipped minitiles and the missing-tile pattern
// included); at 1 pixel each pixel is its tile's average; at 7 the renderer's own shares.
// A bad tile size, no game data or an output naming the map: its status, nothing written.
TEST_F(Companion, RenderWritesTheTerrainAtEachTileSize)
{
    constexpr int W = 64;
    const auto valueAt = [](int x, int y) {
        // Groups 0..5 with entries 0..15; one tile whose group lies outside the tileset.
        return x == 9 && y == 5 ? quint16(0x7ff3) : quint16(((x + 3 * y) % 6) << 4 | (x * 7 + y) % 16);
    };
    const QByteArray original = expectedScenario(scenario(W, W, 4), W, W, valueAt);
    writeMap(file("map.scm"), original);
    const testsupport::SyntheticTileset tiles = testsupport::SyntheticTileset::make(6);
    tiles.writeFolder(file("game/tileset"), QStringLiteral("jungle"));
    auto graphics = std::make_shared<terrain::TileGraphics>();
    ASSERT_TRUE(terrain::TileGraphics::create({tiles.cv5(), tiles.vx4(), false, tiles.vr4(),
                                               tiles.wpe(), "jungle", "game"},
                                              graphics.get()).ok());
    terrain::TileMap map{W, W, 4, {}};
    for (int y = 0; y < W; ++y)
        for (int x = 0; x < W; ++x)
            map.values << valueAt(x, y);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VELMORA_GAME_DATA"), file("game"));
    QProcessEnvironment noGameData = env;
    noGameData.remove(QStringLiteral("VELMORA_GAME_DATA"));
    const QString out = file("out.png");
    const struct
    {
        QStringList args;
        const QProcessEnvironment &env;
        int status;
        int tileSize;
    } cases[] = {
        {{"-o", out}, env, exitstatus::Ok, 32},
        {{"--tile-size", "1", "--output", out, "--game-data", file("game")}, noGameData, exitstatus::Ok, 1},
        {{"--tile-size=7", "-o", out}, env, exitstatus::Ok, 7},
        {{"--tile-size", "0", "-o", out}, env, exitstatus::Usage, 0},
        {{"--tile-size", "33", "-o", out}, env, exitstatus::Usage, 0},
        {{"--tile-size", "x", "-o", out}, env, exitstatus::Usage, 0},
        {{}, env, exitstatus::Usage, 0},
        {{"-o", file("./map.scm")}, env, exitstatus::Usage, 0},
        {{"-o", out}, noGameData, exitstatus::GameData, 0},
        {{"-o", out, "--game-data", file("nowhere")}, env, exitstatus::GameData, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QFile::remove(out);
        const QMap<QString, QByteArray> before = snapshot(dir.path());
        const CliRun r = runCli(QStringList{"render", file("map.scm")} + c.args, c.env);
        ASSERT_EQ(r.status, c.status) << r.err.toStdString();
        if (c.status != exitstatus::Ok) {
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
            EXPECT_EQ(snapshot(dir.path()), before);
            continue;
        }
        EXPECT_TRUE(r.err.contains("1 of the map's tiles")) << r.err.toStdString();
        const QImage image = QImage(out).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.size(), QSize(W * c.tileSize, W * c.tileSize));
        if (c.tileSize == 32) {
            for (int y = 0; y < W; ++y)
                for (int x = 0; x < W; ++x) {
                    const QImage drawn = qtimage::toImage(graphics->tile(valueAt(x, y)), QImage::Format_RGB32);
                    ASSERT_EQ(image.copy(32 * x, 32 * y, 32, 32), drawn) << x << "," << y;
                }
            for (const QPoint p : {QPoint(0, 0), QPoint(7, 3), QPoint(40, 63), QPoint(63, 17)})
                for (int v = 0; v < 32; v += 5)
                    for (int u = 0; u < 32; ++u) {
                        bool present = false;
                        const QRgb slow = tiles.pixel(valueAt(p.x(), p.y()), u, v, &present);
                        ASSERT_TRUE(present);
                        ASSERT_EQ(image.pixel(32 * p.x() + u, 32 * p.y() + v), slow);
                    }
        } else if (c.tileSize == 1) {
            for (int y = 0; y < W; ++y)
                for (int x = 0; x < W; ++x) {
                    const picture::Pixels drawn = graphics->tile(valueAt(x, y));
                    int sum[3] = {};
                    for (int v = 0; v < 32; ++v)
                        for (int u = 0; u < 32; ++u) {
                            const QRgb p = drawn.at(u, v);
                            sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
                        }
                    const QRgb got = image.pixel(x, y);
                    EXPECT_NEAR(qRed(got), sum[0] / 1024.0, 1.0);
                    EXPECT_NEAR(qGreen(got), sum[1] / 1024.0, 1.0);
                    EXPECT_NEAR(qBlue(got), sum[2] / 1024.0, 1.0);
                }
        }
        terrain::TerrainRenderer renderer(graphics);
        EXPECT_EQ(image, qtimage::toImage(renderer.render(map, c.tileSize), QImage::Format_RGB32));
    }
}

// A real map: the converted archive holds the expected tiles in both sections, every other
// scenario byte and every other entry as before; the input map is unchanged.
TEST_F(Companion, ConvertsRealMapsLikeTheWindows)
{
    const QStringList maps = testsupport::realMaps();
    if (maps.isEmpty())
        GTEST_SKIP() << "VELMORA_MAPS is not set";
    const MpqControl mpq;
    int converted = 0;
    for (const QString &source : maps) {
        SCOPED_TRACE(source.toStdString());
        QByteArray original;
        ASSERT_TRUE(mpq.readEntry(source, Scenario, &original));
        const qsizetype dim = original.indexOf("DIM ");
        const int w = qFromLittleEndian<quint16>(original.constData() + dim + 8);
        const int h = qFromLittleEndian<quint16>(original.constData() + dim + 10);

        // Red stripes on blue, a green corner; red comes from the colour file as #RRGGBB,
        // blue by its key, green is not named and becomes 0; one named colour is absent.
        QImage picture(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                picture.setPixel(x, y, (x + y) % 5 == 0 ? rgb(255, 0, 0) : rgb(0, 0, 255));
        picture.setPixel(0, 0, rgb(0, 255, 0));
        ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));
        writeFile(file("colours.txt"), "# stripes\n#FF0000=300\n16711680 = 32767\n16777215=12\n");
        const auto tile = [](int x, int y) -> quint16 {
            if (x == 0 && y == 0)
                return 0;
            return (x + y) % 5 == 0 ? 300 : 32767;
        };

        QFile::remove(file("out.scx"));
        const QByteArray sourceBytes = readFile(source);
        const CliRun r = runCli({"convert", source, file("pic.bmp"), "--colors", file("colours.txt"),
                              "-o", file("out.scx"), "--tileset", "Ice"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(readFile(source), sourceBytes);
        EXPECT_TRUE(r.err.contains(QStringLiteral("1 not named"))) << r.err.toStdString();
        // White, on line 4, is the one named colour the picture lacks.
        EXPECT_EQ(r.err.count(QStringLiteral("warning")), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("colours.txt:4: colour 16777215 does not occur")))
            << r.err.toStdString();

        QByteArray after;
        ASSERT_TRUE(mpq.readEntry(file("out.scx"), Scenario, &after));
        QByteArray expected = expectedScenario(original, w, h, tile);
        expected[original.indexOf("ERA ") + 8] = 6; // Ice
        EXPECT_EQ(after, expected);

        QStringList namesBefore, namesAfter;
        int countBefore = 0, countAfter = 0;
        ASSERT_TRUE(mpq.listEntries(source, &namesBefore, &countBefore));
        ASSERT_TRUE(mpq.listEntries(file("out.scx"), &namesAfter, &countAfter));
        EXPECT_EQ(countAfter, countBefore);
        namesBefore.sort();
        namesAfter.sort();
        EXPECT_EQ(namesAfter, namesBefore);
        for (const QString &name : namesBefore) {
            if (name.compare(Scenario, Qt::CaseInsensitive) == 0 || name == QLatin1String("(listfile)"))
                continue;
            QByteArray a, b;
            ASSERT_TRUE(mpq.readEntry(source, name, &a));
            ASSERT_TRUE(mpq.readEntry(file("out.scx"), name, &b));
            EXPECT_EQ(a, b) << name.toStdString();
        }
        ++converted;
    }
    EXPECT_EQ(converted, maps.size());
}

TEST_F(Companion, ConvertWithoutOutputReplacesTheMapItself)
{
    const QByteArray original = scenario(64, 64);
    writeMap(file("map.scm"), original);
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(rgb(1, 2, 3));
    ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));
    writeFile(file("colours.txt"), "00197121=258\n");
    const CliRun r = runCli({"convert", file("map.scm"), file("pic.bmp"), "--colors=" + file("colours.txt")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    QByteArray after;
    ASSERT_TRUE(MpqControl().readEntry(file("map.scm"), Scenario, &after));
    EXPECT_EQ(after, expectedScenario(original, 64, 64, [](int, int) { return quint16(258); }));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left beside the map";
}

/// A map, a one-colour picture and a colour file for it, in `c`'s folder.
void convertInputs(Companion &c, int size = 64)
{
    writeMap(c.file("map.scm"), scenario(size, size));
    QImage picture(size, size, QImage::Format_RGB32);
    picture.fill(rgb(1, 2, 3));
    ASSERT_TRUE(picture.save(c.file("pic.bmp"), "BMP"));
    writeFile(c.file("colours.txt"), "00197121=258\n");
}

TEST_F(Companion, OutputNamingAnInputIsRefusedHoweverSpelled)
{
    convertInputs(*this);
    ASSERT_TRUE(QFile::link(file("colours.txt"), file("link-to-colours.txt")));
    ASSERT_EQ(::link(QFile::encodeName(file("pic.bmp")).constData(),
                     QFile::encodeName(file("hard-pic.bmp")).constData()), 0);
    const struct
    {
        const char *label;
        QString output;
    } cases[] = {
        {"the map", file("map.scm")},
        {"the map, spelled another way", dir.path() + "/./map.scm"},
        {"the picture", file("pic.bmp")},
        {"the colour file", file("colours.txt")},
        {"a symbolic link to the colour file", file("link-to-colours.txt")},
        {"a hard link to the picture", file("hard-pic.bmp")},
    };
    const auto before = snapshot(dir.path());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const CliRun r = runCli({"convert", file("map.scm"), file("pic.bmp"), "--colors",
                                 file("colours.txt"), "-o", c.output});
        EXPECT_EQ(r.status, exitstatus::Usage) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.output)) << r.err.toStdString();
        EXPECT_EQ(snapshot(dir.path()), before);
    }
}

TEST_F(Companion, ReplacingAMapWithOtherNamesSaysTheyKeepTheOldMap)
{
    convertInputs(*this);
    const QByteArray original = readFile(file("map.scm"));
    ASSERT_EQ(::link(QFile::encodeName(file("map.scm")).constData(),
                     QFile::encodeName(file("other-name.scm")).constData()), 0);
    const CliRun r = runCli({"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("hard links")) << r.err.toStdString();
    EXPECT_NE(readFile(file("map.scm")), original);
    EXPECT_EQ(readFile(file("other-name.scm")), original);

    // A map with one name converts without that warning.
    const CliRun again = runCli({"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt")});
    ASSERT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_FALSE(again.err.contains("hard links")) << again.err.toStdString();
}

// Whenever SIGTERM arrives, the private folder (a copy of the map) goes with the program,
// and the map is either as it was or completely converted.
TEST_F(Companion, TerminatedAtAnyMomentLeavesNoPrivateFolder)
{
    convertInputs(*this, 256);
    const QByteArray original = readFile(file("map.scm"));
    QTemporaryDir tmp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    int terminated = 0;
    for (int delayMs = 0; delayMs < 400; delayMs += 3) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VELMORA_CLI_PATH),
                {"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt"), "-o",
                 file("out.scm")});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(delayMs);
        p.terminate();
        ASSERT_TRUE(p.waitForFinished(30000));
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 128 + SIGTERM)
            ++terminated;
        EXPECT_TRUE(QDir(tmp.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            << "left after " << delayMs << " ms: "
            << QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ').toStdString();
        EXPECT_EQ(readFile(file("map.scm")), original);
        // Once a run has been ended while it worked and a later one finished first, every
        // run after would finish before the signal too.
        if (terminated > 0 && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            break;
    }
    EXPECT_GT(terminated, 0) << "no run was ended by the signal while it worked";
}

// Each class of failure: its own exit status, one line on standard error naming the file,
// and no input file changed.
struct FailureCase
{
    const char *what;
    int status;
    std::function<void(Companion &, QStringList *args, QProcessEnvironment *env)> setUp;
    QString mentions; // a file name the message must name ("" for usage errors)
};

class Failure : public Companion, public ::testing::WithParamInterface<FailureCase>
{
public:
    void goodInputs(int w = 64, int h = 64)
    {
        writeMap(file("map.scm"), scenario(w, h));
        QImage picture(w, h, QImage::Format_RGB32);
        picture.fill(rgb(0, 0, 255));
        ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));
        writeFile(file("colours.txt"), "#0000FF=5\n");
    }
    QStringList convertArgs() const
    {
        return {"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt")};
    }
};

TEST_P(Failure, HasItsStatusAndChangesNothing)
{
    const FailureCase &c = GetParam();
    QStringList args;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    c.setUp(*this, &args, &env);
    const auto before = snapshot(dir.path());
    const CliRun r = runCli(args, env);
    EXPECT_EQ(r.status, c.status) << r.err.toStdString();
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("velmora-cli: "))) << r.err.toStdString();
    if (!c.mentions.isEmpty()) {
        EXPECT_TRUE(r.err.contains(c.mentions)) << r.err.toStdString();
    }
}

void use(Failure &f, QStringList *args) { f.goodInputs(); *args = f.convertArgs(); }

INSTANTIATE_TEST_SUITE_P(
    Classes, Failure,
    ::testing::Values(
        FailureCase{"no command", exitstatus::Usage, [](Companion &, QStringList *a, auto *) { *a = {}; }, ""},
        FailureCase{"unknown command", exitstatus::Usage,
                    [](Companion &, QStringList *a, auto *) { *a = {"paint", "x"}; }, "paint"},
        FailureCase{"convert without a colour file", exitstatus::Usage,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        f.goodInputs();
                        *a = f.convertArgs().mid(0, 3);
                    }, "--colors"},
        FailureCase{"unknown tileset", exitstatus::Usage,
                    [](Companion &c, QStringList *a, auto *) { use(static_cast<Failure &>(c), a); *a << "--tileset" << "8"; }, "8"},
        FailureCase{"unknown option", exitstatus::Usage,
                    [](Companion &c, QStringList *a, auto *) { use(static_cast<Failure &>(c), a); *a << "--fast"; }, "--fast"},
        FailureCase{"missing map", exitstatus::MapUnreadable,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QFile::remove(f.file("map.scm"));
                    }, "map.scm"},
        FailureCase{"not an archive", exitstatus::NotAnArchive,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        writeFile(f.file("map.scm"), QByteArray(4000, 'x'));
                    }, "map.scm"},
        FailureCase{"no scenario entry", exitstatus::NoScenario,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QFile::remove(f.file("map.scm"));
                        testsupport::writeArchive(f.file("map.scm"), {{"readme\\a.txt", "hello"}});
                    }, "map.scm"},
        FailureCase{"map size rejected", exitstatus::MapSize,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        f.goodInputs(128, 100);
                        *a = {"colors", f.file("map.scm"), f.file("pic.bmp")};
                    }, "map.scm"},
        FailureCase{"no DIM section", exitstatus::MapSize,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QByteArray s = scenario(64, 64);
                        s.replace("DIM ", "DIMX");
                        QFile::remove(f.file("map.scm"));
                        writeMap(f.file("map.scm"), s);
                    }, "map.scm"},
        FailureCase{"picture does not decode", exitstatus::BadPicture,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        writeFile(f.file("pic.bmp"), "BM not really a bitmap");
                    }, "pic.bmp"},
        FailureCase{"picture missing", exitstatus::BadPicture,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QFile::remove(f.file("pic.bmp"));
                    }, "pic.bmp"},
        FailureCase{"picture cut short", exitstatus::BadPicture,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        writeFile(f.file("pic.bmp"), readFile(f.file("pic.bmp")).chopped(64));
                    }, "incomplete"},
        FailureCase{"picture is a device", exitstatus::BadPicture,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        (*a)[2] = "/dev/zero";
                    }, "/dev/zero: not a regular file"},
        FailureCase{"too many colours", exitstatus::TooManyColors,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        f.goodInputs(256, 256);
                        QImage p(256, 256, QImage::Format_RGB32);
                        for (int y = 0; y < 256; ++y)
                            for (int x = 0; x < 256; ++x)
                                p.setPixel(x, y, qRgb(x, y, 0));
                        ASSERT_TRUE(p.save(f.file("pic.bmp"), "BMP"));
                        *a = f.convertArgs();
                    }, "pic.bmp"},
        FailureCase{"malformed colour file", exitstatus::BadColorFile,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        writeFile(f.file("colours.txt"), "#0000FF=5\nblue=6\n");
                    }, "colours.txt"},
        FailureCase{"missing colour file", exitstatus::BadColorFile,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QFile::remove(f.file("colours.txt"));
                    }, "colours.txt"},
        FailureCase{"value out of range", exitstatus::ValueOutOfRange,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        writeFile(f.file("colours.txt"), "#0000FF=40000\n");
                    }, "colours.txt"},
        FailureCase{"missing MTXM section", exitstatus::BadScenario,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QByteArray s = scenario(64, 64);
                        s.replace("MTXM", "MTXQ");
                        QFile::remove(f.file("map.scm"));
                        writeMap(f.file("map.scm"), s);
                    }, "map.scm"},
        FailureCase{"no ERA section for the tileset", exitstatus::BadScenario,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        QByteArray s = scenario(64, 64);
                        s.replace("ERA ", "ERAX");
                        QFile::remove(f.file("map.scm"));
                        writeMap(f.file("map.scm"), s);
                        *a << "--tileset" << "Desert";
                    }, "map.scm"},
        FailureCase{"output is a folder", exitstatus::CannotReplace,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        ASSERT_TRUE(QDir(f.dir.path()).mkdir("sub"));
                        *a << "-o" << f.file("sub");
                    }, "sub"},
        FailureCase{"output folder missing", exitstatus::CannotReplace,
                    [](Companion &c, QStringList *a, auto *) {
                        auto &f = static_cast<Failure &>(c);
                        use(f, a);
                        *a << "-o" << f.file("nowhere/out.scm");
                    }, "out.scm"},
        FailureCase{"--dither with --colors, before any game data", exitstatus::Usage,
                    [](Companion &c, QStringList *a, QProcessEnvironment *env) {
                        use(static_cast<Failure &>(c), a);
                        env->remove("VELMORA_GAME_DATA");
                        *a << "--dither";
                    }, ""},
        FailureCase{"--vary with colors", exitstatus::Usage,
                    [](Companion &c, QStringList *a, auto *) {
                        use(static_cast<Failure &>(c), a);
                        *a = QStringList{"colors", a->at(1), a->at(2), "--vary"};
                    }, "--vary"},
        FailureCase{"unknown fit", exitstatus::Usage,
                    [](Companion &c, QStringList *a, auto *) {
                        use(static_cast<Failure &>(c), a);
                        *a << "--fit" << "squash";
                    }, "squash"},
        FailureCase{"unknown resampling", exitstatus::Usage,
                    [](Companion &c, QStringList *a, auto *) {
                        use(static_cast<Failure &>(c), a);
                        *a << "--fit" << "cover" << "--resample" << "cubic";
                    }, "cubic"},
        FailureCase{"--dither without game data", exitstatus::GameData,
                    [](Companion &c, QStringList *a, QProcessEnvironment *env) {
                        use(static_cast<Failure &>(c), a);
                        env->remove("VELMORA_GAME_DATA");
                        *a = a->mid(0, 3) << "--dither";
                    }, "--dither"},
        FailureCase{"--vary without game data", exitstatus::GameData,
                    [](Companion &c, QStringList *a, QProcessEnvironment *env) {
                        use(static_cast<Failure &>(c), a);
                        env->remove("VELMORA_GAME_DATA");
                        *a << "--vary";
                    }, "--vary"},
        FailureCase{"no working folder", exitstatus::WorkFolder,
                    [](Companion &c, QStringList *a, QProcessEnvironment *env) {
                        use(static_cast<Failure &>(c), a);
                        env->insert("TMPDIR", "/proc"); // no folder can be made there, not even by root
                    }, ""}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return "case" + std::to_string(info.index); });

TEST(CompanionHelp, HelpAndVersionSucceed)
{
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (int code = 1; code <= 14; ++code)
        EXPECT_TRUE(help.out.contains(QStringLiteral("\n  %1  ").arg(code, 2))) << "status " << code;
    const CliRun version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("velmora-cli %1.%2\n").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR));
}

} // namespace

namespace {

// The companion speaks the desktop's language (LANG), with the same exit statuses in every
// one: a missing picture, a usage error and --help, under English, Korean and German.
TEST_F(Companion, SpeaksTheDesktopsLanguageWithTheSameExitStatuses)
{
    writeMap(file("map.scm"), scenario(64, 64));
    writeFile(file("colors.txt"), "");
    struct Case
    {
        const char *locale;
        const char *noSuchFile;
        const char *usage; ///< how --help begins
        const char *seeHelp;
    };
    const Case cases[] = {
        {"C", "no such file", "Usage:", "(see velmora-cli --help)"},
        {"en_US.UTF-8", "no such file", "Usage:", "(see velmora-cli --help)"},
        {"ko_KR.UTF-8", "그런 파일이 없습니다", "사용법:", "(velmora-cli --help 참고)"},
        {"de_DE.UTF-8", "keine solche Datei", "Aufruf:", "(siehe velmora-cli --help)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.locale);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(c.locale));
        const CliRun missing = runCli({"convert", file("map.scm"), file("missing.bmp"), "--colors",
                                       file("colors.txt")},
                                      env);
        EXPECT_EQ(missing.status, exitstatus::BadPicture);
        EXPECT_EQ(missing.err, QStringLiteral("velmora-cli: %1: %2\n")
                                   .arg(file("missing.bmp"), QString::fromUtf8(c.noSuchFile)));
        const CliRun usage = runCli({"convert", file("map.scm")}, env);
        EXPECT_EQ(usage.status, exitstatus::Usage);
        EXPECT_TRUE(usage.err.endsWith(QString::fromUtf8(c.seeHelp) + '\n')) << usage.err.toStdString();
        const CliRun help = runCli({"--help"}, env);
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith(QString::fromUtf8(c.usage))) << help.out.toStdString();
    }
}

} // namespace
