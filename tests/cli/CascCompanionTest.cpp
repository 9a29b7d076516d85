// The companion on a made-up Remastered installation: the same pictures and matches as from
// extracted files, `data` telling what a folder holds, and status 15 with nothing written
// for each kind of damage.
#include "cli/ExitStatus.h"

#include "CascBuilder.h"
#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using testsupport::CascBuilder;
using testsupport::readFile;

namespace {

testsupport::ProgramRun runCli(const QStringList &args)
{
    return testsupport::runProgram(QStringLiteral(VELMORA_CLI_PATH), args);
}

/// A 64 x 64 jungle map whose tiles use every group, and a picture of five colours.
void writeInputs(const QTemporaryDir &dir)
{
    QByteArray scenario = testsupport::scenario(64, 64, 4);
    const qsizetype at = scenario.indexOf("MTXM") + 8;
    for (int i = 0; i < 64 * 64; ++i)
        qToLittleEndian<quint16>(quint16(((i % 6) << 4) | (i * 7) % 16), scenario.data() + at + 2 * i);
    testsupport::writeMap(dir.filePath("map.scm"), scenario);
    QImage picture(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, qRgb(40 * ((x / 8 + y) % 5), 90, 200 - 30 * (y % 4)));
    ASSERT_TRUE(picture.save(dir.filePath("pic.bmp"), "BMP"));
}

} // namespace

TEST(CascCompanion, RendersAndMatchesAsFromExtractedFiles)
{
    QTemporaryDir dir;
    writeInputs(dir);
    const testsupport::SyntheticTileset tiles = testsupport::SyntheticTileset::make(6);
    tiles.writeFolder(dir.filePath("extracted/tileset"), "jungle");
    CascBuilder builder;
    builder.files = CascBuilder::tilesetFiles(tiles, "TileSet/", "jungle");
    builder.build(dir.filePath("Remastered"));

    QList<QByteArray> pngs, matches;
    for (const char *game : {"extracted", "Remastered", "Remastered/Data"}) {
        SCOPED_TRACE(game);
        const QString out = dir.filePath(QString("%1.png").arg(QString(game).replace('/', '-')));
        auto r = runCli({"render", dir.filePath("map.scm"), "-o", out, "--game-data", dir.filePath(game)});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        pngs << readFile(out);
        r = runCli({"colors", dir.filePath("map.scm"), dir.filePath("pic.bmp"), "--match",
                    "--game-data", dir.filePath(game)});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        matches << r.out.toUtf8();
    }
    EXPECT_EQ(pngs[1], pngs[0]);
    EXPECT_EQ(pngs[2], pngs[0]);
    EXPECT_EQ(matches[1], matches[0]);
    EXPECT_EQ(matches[2], matches[0]);

    const auto r = runCli({"data", dir.filePath("Remastered")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("holds: Remastered installation")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("tileset 4 Jungle World: readable")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("tileset 0 Badlands: The game data folder")) << r.out.toStdString();
    EXPECT_EQ(runCli({"data", dir.filePath("nowhere")}).status, exitstatus::GameData);
}

TEST(CascCompanion, DamageEndsInStatus15AndWritesNothing)
{
    const testsupport::SyntheticTileset tiles = testsupport::SyntheticTileset::make(6);
    using Fault = std::function<void(const QString &, CascBuilder &)>;
    const auto flip = [](const QString &path, qint64 at) {
        QByteArray bytes = readFile(path);
        bytes[at] = char(bytes[at] ^ 0x10);
        testsupport::writeFile(path, bytes);
    };
    const std::vector<std::pair<Fault, Fault>> faults{
        {{}, [&](const QString &root, CascBuilder &b) {
             const auto at = b.placed.value("TileSet/jungle.vx4");
             flip(b.dataFile(root, at.archive), at.offset + 30 + 12 + 24 * 3 + 3);
         }},
        {[](const QString &, CascBuilder &b) { b.notIndexed << "TileSet/jungle.cv5"; }, {}},
        {{}, [](const QString &root, CascBuilder &b) {
             const auto at = b.placed.value("TileSet/jungle.wpe");
             QFile::resize(b.dataFile(root, at.archive), at.offset + at.size - 1);
         }},
        {[](const QString &, CascBuilder &b) { b.files[3].layout = CascBuilder::Layout::Encrypted; }, {}},
        {{}, [](const QString &root, CascBuilder &) { QFile::remove(root + "/.build.info"); }},
        {[](const QString &, CascBuilder &b) { b.configMissing = true; }, {}},
    };
    QSet<QString> messages;
    for (const auto &[before, after] : faults) {
        QTemporaryDir dir;
        writeInputs(dir);
        CascBuilder builder;
        builder.files = CascBuilder::tilesetFiles(tiles, "TileSet/", "jungle");
        const QString root = dir.filePath("game");
        if (before)
            before(root, builder);
        builder.build(root);
        if (after)
            after(root, builder);
        const auto r = runCli({"render", dir.filePath("map.scm"), "-o", dir.filePath("out.png"),
                               "--game-data", root});
        EXPECT_EQ(r.status, exitstatus::GameData) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("out.png")));
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 2);
        EXPECT_FALSE(messages.contains(QString(r.err).remove(root))) << r.err.toStdString();
        messages.insert(QString(r.err).remove(root));
    }
}
