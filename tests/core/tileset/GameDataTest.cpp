// Finding the tileset files in a game data folder: extracted files, a "tileset" folder,
// the game's archives (BrooDat.mpq first), letter case, and what is missing.
#include "core/tileset/GameData.h"
#include "core/archive/MpqControl.h"

#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using terrain::GameData;
using terrain::TilesetFiles;
using testsupport::ProgramFolder;
using testsupport::SyntheticTileset;
using testsupport::writeArchive;

namespace {

/// The palette's first colour tells the synthetic tilesets apart.
SyntheticTileset tilesetMarked(quint8 red)
{
    SyntheticTileset t = SyntheticTileset::make();
    t.palette[0] = qRgb(red, 1, 2);
    return t;
}

struct Read
{
    Status outcome = Status::success();
    TilesetFiles files;
};

Read readFrom(const QString &folder, int number)
{
    Read read;
    GameData data;
    read.outcome = GameData::locate(folder, &data);
    if (read.outcome.ok())
        read.outcome = data.readTileset(MpqControl(), number, &read.files);
    return read;
}

} // namespace

TEST(GameData, FindsTheFilesWhereverTheFolderKeepsThem)
{
    const SyntheticTileset a = tilesetMarked(10), b = tilesetMarked(20);
    struct Case
    {
        const char *name;
        std::function<void(const QString &)> lay;
        QString open;        // relative to the case folder
        int number;
        quint8 red;          // expected palette marker
        bool wide;
    };
    const std::vector<Case> cases{
        {"tileset sub-folder", [&](const QString &d) { a.writeFolder(d + "/tileset", "jungle"); },
         "", 4, 10, false},
        {"the tileset folder itself",
         [&](const QString &d) { a.writeFolder(d + "/tileset", "ice"); }, "tileset", 6, 10, false},
        {"letter case of folder and files, era masked with 7",
         [&](const QString &d) { a.writeFolder(d + "/TileSet", "TWILIGHT"); }, "", 15, 10, false},
        {"wide megatiles", [&](const QString &d) { a.writeFolder(d + "/tileset", "desert", true); },
         "", 5, 10, true},
        {"StarDat.mpq alone",
         [&](const QString &d) { writeArchive(d + "/StarDat.mpq", a.entries("badlands")); }, "",
         0, 10, false},
        {"BrooDat.mpq wins over StarDat.mpq",
         [&](const QString &d) {
             writeArchive(d + "/StarDat.mpq", a.entries("platform"));
             writeArchive(d + "/broodat.MPQ", b.entries("platform", true));
         },
         "", 1, 20, true},
        {"StarDat.mpq fills what BrooDat.mpq lacks",
         [&](const QString &d) {
             writeArchive(d + "/StarDat.mpq", a.entries("install"));
             auto entries = b.entries("install");
             entries.removeLast(); // no palette in BrooDat.mpq
             writeArchive(d + "/BrooDat.mpq", entries);
         },
         "", 2, 10, false},
        {"archives before loose files",
         [&](const QString &d) {
             a.writeFolder(d + "/tileset", "ashworld");
             writeArchive(d + "/BrooDat.mpq", b.entries("ashworld"));
         },
         "", 3, 20, false},
    };
    for (const Case &c : cases) {
        ProgramFolder folder;
        c.lay(folder.path());
        const Read read = readFrom(QDir(folder.path()).filePath(c.open), c.number);
        ASSERT_TRUE(read.outcome.ok()) << c.name << ": " << read.outcome.reason().toStdString();
        EXPECT_EQ(read.files.wpe.at(0), char(c.red)) << c.name;
        EXPECT_EQ(read.files.wideVx4, c.wide) << c.name;
        EXPECT_EQ(read.files.cv5, a.cv5()) << c.name;
        EXPECT_EQ(read.files.vr4, a.vr4()) << c.name;
        EXPECT_EQ(read.files.vx4, a.vx4(c.wide)) << c.name;
    }
}

TEST(GameData, SaysWhatIsMissing)
{
    const SyntheticTileset t = SyntheticTileset::make();
    struct Case
    {
        const char *name;
        std::function<void(const QString &)> lay;
        QString open;
        const char *mentions;
    };
    const std::vector<Case> cases{
        {"no folder", [](const QString &) {}, "nowhere", "does not exist"},
        {"empty folder", [](const QString &) {}, "", "StarDat.mpq"},
        {"other tileset only", [&](const QString &d) { t.writeFolder(d + "/tileset", "ice"); }, "",
         "badlands.cv5"},
        {"no palette",
         [&](const QString &d) {
             t.writeFolder(d + "/tileset", "badlands");
             QFile::remove(d + "/tileset/badlands.wpe");
         },
         "", "badlands.wpe"},
        {"archive without the tileset",
         [&](const QString &d) { writeArchive(d + "/StarDat.mpq", t.entries("ice")); }, "",
         "badlands.cv5"},
        {"damaged archive",
         [&](const QString &d) { testsupport::writeFile(d + "/StarDat.mpq", "MPQ junk"); }, "",
         "StarDat.mpq\" is damaged"},
        {"damaged BrooDat.mpq beside a good StarDat.mpq",
         [&](const QString &d) {
             writeArchive(d + "/StarDat.mpq", t.entries("badlands"));
             testsupport::writeFile(d + "/BrooDat.mpq", QByteArray(4096, 'x'));
         },
         "", "BrooDat.mpq\" is damaged"},
    };
    for (const Case &c : cases) {
        ProgramFolder folder;
        c.lay(folder.path());
        const Read read = readFrom(QDir(folder.path()).filePath(c.open), 0);
        ASSERT_FALSE(read.outcome.ok()) << c.name;
        EXPECT_EQ(read.outcome.kind(), FailureKind::GameData) << c.name;
        EXPECT_TRUE(read.outcome.reason().contains(QLatin1String(c.mentions)))
            << c.name << ": " << read.outcome.reason().toStdString();
    }
}
