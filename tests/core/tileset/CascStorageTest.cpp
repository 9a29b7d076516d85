// Tileset files from a made-up Remastered installation (a CASC storage written by the tests'
// own builder): the same bytes as from extracted files wherever the storage keeps them, and
// one distinct message naming the folder and the file for each kind of damage.
#include "core/archive/MpqControl.h"
#include "core/tileset/CascFormat.h"
#include "core/tileset/GameData.h"

#include "CascBuilder.h"
#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

using terrain::GameData;
using terrain::TilesetFiles;
using testsupport::CascBuilder;
using testsupport::ProgramFolder;
using testsupport::SyntheticTileset;

namespace {

SyntheticTileset marked(quint8 red)
{
    SyntheticTileset t = SyntheticTileset::make(5);
    t.palette[0] = qRgb(red, 3, 4);
    return t;
}

Status readFrom(const QString &folder, int number, TilesetFiles *files)
{
    GameData data;
    Status outcome = GameData::locate(folder, &data);
    if (outcome.ok())
        outcome = data.readTileset(MpqControl(), number, files);
    return outcome;
}

void flipByte(const QString &path, qint64 at)
{
    QByteArray bytes = testsupport::readFile(path);
    bytes[at] = char(bytes[at] ^ 0x40);
    testsupport::writeFile(path, bytes);
}

} // namespace

TEST(CascStorage, ReadsWhatAnExtractedFolderHolds)
{
    const SyntheticTileset wanted = marked(10), other = marked(99);
    using Files = QList<CascBuilder::File>;
    struct Case
    {
        const char *name;
        Files files;
        QString open; // relative to the installation root
        int number;
        bool wide = false;
    };
    Files named = CascBuilder::tilesetFiles(wanted, "TILESET\\", "Jungle");
    for (CascBuilder::File &f : named)
        f.name = f.name.toUpper() + ":enUS";
    const std::vector<Case> cases{
        {"root folder", CascBuilder::tilesetFiles(wanted, "TileSet/", "badlands"), "", 0},
        {"its Data folder, another tileset beside",
         CascBuilder::tilesetFiles(wanted, "TileSet/", "ice")
             + CascBuilder::tilesetFiles(other, "TileSet/", "desert"),
         "Data", 6},
        {"letter case, backslashes, locale suffix", named, "", 4},
        {"SD/TileSet only; HD2/ and Carbot/ never",
         CascBuilder::tilesetFiles(other, "HD2/TileSet/", "platform")
             + CascBuilder::tilesetFiles(wanted, "SD/TileSet/", "platform")
             + CascBuilder::tilesetFiles(other, "Carbot/TileSet/", "platform"),
         "", 1},
        {"TileSet/ before SD/TileSet/",
         CascBuilder::tilesetFiles(other, "SD/TileSet/", "install")
             + CascBuilder::tilesetFiles(wanted, "TileSet/", "install"),
         "", 2},
        {"wide megatiles", CascBuilder::tilesetFiles(wanted, "TileSet/", "twilight", true), "", 7,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        CascBuilder builder;
        builder.files = c.files;
        builder.build(folder.path());
        ProgramFolder extracted;
        wanted.writeFolder(extracted.file("tileset"), terrain::tilesetStem(c.number), c.wide);

        TilesetFiles fromStorage, fromFolder;
        const Status stored = readFrom(QDir(folder.path()).filePath(c.open), c.number, &fromStorage);
        ASSERT_TRUE(stored.ok()) << stored.reason().toStdString();
        ASSERT_TRUE(readFrom(extracted.path(), c.number, &fromFolder).ok());
        EXPECT_EQ(fromStorage.cv5, fromFolder.cv5);
        EXPECT_EQ(fromStorage.vx4, fromFolder.vx4);
        EXPECT_EQ(fromStorage.vr4, fromFolder.vr4);
        EXPECT_EQ(fromStorage.wpe, fromFolder.wpe);
        EXPECT_EQ(fromStorage.wideVx4, c.wide);
    }
}

// The storage's tables are read once a session: another tileset is read after the index
// files are gone, from the records they pointed to.
TEST(CascStorage, KeepsTheOpenedStorageForTheSession)
{
    ProgramFolder folder;
    CascBuilder builder;
    builder.files = CascBuilder::tilesetFiles(marked(1), "TileSet/", "jungle")
        + CascBuilder::tilesetFiles(marked(2), "TileSet/", "ashworld");
    builder.build(folder.path());
    TilesetFiles first, second;
    ASSERT_TRUE(readFrom(folder.path(), 4, &first).ok());
    for (const QString &name : QDir(folder.file("Data/data")).entryList({"*.idx"}))
        ASSERT_TRUE(QFile::remove(folder.file("Data/data/" + name)));
    const Status again = readFrom(folder.path(), 3, &second);
    ASSERT_TRUE(again.ok()) << again.reason().toStdString();
    EXPECT_EQ(second.wpe.at(0), char(2));
}

TEST(CascStorage, EachDamageHasItsOwnMessage)
{
    const SyntheticTileset t = marked(5);
    struct Case
    {
        const char *name;
        std::function<void(CascBuilder &)> before;
        std::function<void(const QString &, const CascBuilder &)> after;
        const char *mentions; // the file the message names
    };
    const auto none = [](const QString &, const CascBuilder &) {};
    const auto chunkOf = [](const QString &file) {
        return [file](const QString &root, const CascBuilder &b) {
            const auto at = b.placed.value(file);
            // Past the record header, the BLTE header and the mode byte of the first chunk.
            const qint64 header = file.endsWith(".cv5") ? 8 : 12 + 24 * 3;
            flipByte(b.dataFile(root, at.archive), at.offset + 30 + header + 2);
        };
    };
    const std::vector<Case> cases{
        {"a byte flipped in a chunk with a checksum", {}, chunkOf("TileSet/badlands.vx4"), "data.00"},
        {"a byte flipped in a single chunk", {}, chunkOf("TileSet/badlands.cv5"), "data.00"},
        {"bad BLTE magic", {},
         [](const QString &root, const CascBuilder &b) {
             const auto at = b.placed.value("TileSet/badlands.vr4");
             flipByte(b.dataFile(root, at.archive), at.offset + 30);
         },
         "data.00"},
        {"an index entry dropped", [](CascBuilder &b) { b.notIndexed << "TileSet/badlands.wpe"; },
         none, "listed but not installed"},
        {"a data file cut short", {},
         [](const QString &root, const CascBuilder &b) {
             QFile::resize(b.dataFile(root, 1), b.placed.value("TileSet/badlands.vx4").offset + 40);
             QFile::resize(b.dataFile(root, 0), 40);
         },
         "cut short"},
        {"an encrypted chunk",
         [](CascBuilder &b) { b.files[2].layout = CascBuilder::Layout::Encrypted; }, none,
         "encrypted"},
        {"no .build.info", {},
         [](const QString &root, const CascBuilder &) { QFile::remove(root + "/.build.info"); },
         ".build.info\" is missing"},
        {"no active build", [](CascBuilder &b) { b.activeBuild = false; }, none, ".build.info"},
        {"a config key without its file", [](CascBuilder &b) { b.configMissing = true; }, none,
         "config"},
        {"a missing index file", {},
         [](const QString &root, const CascBuilder &) {
             for (const QString &n : QDir(root + "/Data/data").entryList({"05*.idx"}))
                 QFile::remove(root + "/Data/data/" + n);
         },
         "05????????.idx"},
        {"a page of the encoding file damaged", {},
         [](const QString &root, const CascBuilder &b) {
             const auto at = b.placed.value("encoding");
             QByteArray data = testsupport::readFile(b.dataFile(root, at.archive));
             // The second chunk (the first pages), past its zlib header.
             const qint64 blte = at.offset + 30;
             const int chunks = quint8(data[blte + 11]) | quint8(data[blte + 10]) << 8;
             const qint64 second = blte + 12 + 24 * chunks
                 + qFromBigEndian<quint32>(data.constData() + blte + 12);
             data[second + 20] = char(data[second + 20] ^ 1);
             testsupport::writeFile(b.dataFile(root, at.archive), data);
         },
         "checksum"},
        {"the tileset absent, others present",
         [](CascBuilder &b) {
             for (CascBuilder::File &f : b.files)
                 f.name.replace("TileSet/badlands", "HD2/TileSet/badlands");
         },
         none, "HD2/TileSet/badlands.cv5"},
    };
    QSet<QString> messages;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        CascBuilder builder;
        builder.files = CascBuilder::tilesetFiles(t, "TileSet/", "badlands");
        if (c.before)
            c.before(builder);
        builder.build(folder.path());
        c.after(folder.path(), builder);
        TilesetFiles files;
        const Status outcome = readFrom(folder.path(), 0, &files);
        ASSERT_FALSE(outcome.ok());
        const std::string reason = outcome.reason().toStdString();
        EXPECT_EQ(outcome.kind(), FailureKind::GameData) << reason;
        EXPECT_TRUE(outcome.reason().contains(QDir::toNativeSeparators(folder.path()))) << reason;
        EXPECT_TRUE(outcome.reason().contains(QLatin1String(c.mentions))) << reason;
        const QString own = QString(outcome.reason()).remove(folder.path());
        EXPECT_FALSE(messages.contains(own)) << reason;
        messages.insert(own);
    }
}

// A chunk table stating sizes no chunk of its bytes can decode to is refused before any
// buffer of those sizes is made (the fuzz target once found a 4 GiB allocation here).
TEST(CascStorage, RefusesStatedSizesTheBytesCannotBack)
{
    QByteArray blte("BLTE\0\0\0\x24\x0f\0\0\x01\0\0\0\x02\xff\xff\xff\x00", 20);
    blte += QCryptographicHash::hash("Nx", QCryptographicHash::Md5) + "Nx";
    const auto decoded = casc::decodeBlte(blte, -1, qint64(1) << 40);
    ASSERT_FALSE(decoded.ok());
    EXPECT_EQ(decoded.kind(), FailureKind::GameData);
    blte[19] = '\x01'; // one byte, as the 'N' chunk holds
    blte[16] = blte[17] = blte[18] = '\0';
    const auto plain = casc::decodeBlte(blte, -1, qint64(1) << 40);
    ASSERT_TRUE(plain.ok()) << plain.reason().toStdString();
    EXPECT_EQ(*plain, QByteArray("x"));
}
