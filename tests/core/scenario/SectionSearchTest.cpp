// The section search and the map-size facts read from a scenario file.
#include "core/scenario/ScenarioFile.h"
#include "core/scenario/modFunctions.h"

#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::section;
using testsupport::writeFile;

namespace {

class SectionSearch : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("scenario.chk"); }
};

struct SearchCase
{
    const char *label;
    QByteArray content;
    QByteArray name;
    qint32 expected;
};

} // namespace

TEST_F(SectionSearch, FindsFirstByteExactOccurrence)
{
    const QByteArray dimFirst = section("DIM ", testsupport::dimData(128, 128));
    // "TILE" inside the data of a string section comes before the real "TILE" section.
    const QByteArray tileInString = section("STR ", QByteArray("xxTILExx"))
        + section("TILE", QByteArray(8, '\0'));
    const QByteArray twoDims = section("VER ", QByteArray(2, '\0'))
        + section("DIM ", testsupport::dimData(64, 64)) + section("DIM ", QByteArray(4, '\0'));
    const QByteArray unaligned = QByteArray("abc") + section("ERA ", QByteArray(2, '\0'));
    const QByteArray atEnd = QByteArray(10, 'z') + "MTXM";

    const SearchCase cases[] = {
        {"name at the start", dimFirst, "DIM ", 4},
        {"occurrence inside earlier data wins", tileInString, "TILE", 8 + 2 + 4},
        {"first of two sections", twoDims, "DIM ", 10 + 4},
        {"any byte position counts", unaligned, "ERA ", 3 + 4},
        {"name as the last four bytes", atEnd, "MTXM", 14},
        {"lower case does not match", dimFirst, "dim ", -1},
        {"padding space is part of the name", section("DIMX", QByteArray(4, '\0')), "DIM ", -1},
        {"absent name", dimFirst, "MTXM", -1},
        {"empty file", QByteArray(), "DIM ", -1},
        {"file shorter than a name", QByteArray("DIM"), "DIM ", -1},
    };
    for (const SearchCase &c : cases) {
        SCOPED_TRACE(c.label);
        writeFile(path(), c.content);
        Status error = Status::failure(FailureKind::Unspecified, "unset");
        EXPECT_EQ(modFunctions::FindSection(path(), c.name, &error), c.expected);
        EXPECT_TRUE(error.ok());
    }
}

TEST_F(SectionSearch, SeesEveryEarlierWrite)
{
    writeFile(path(), section("VER ", QByteArray(2, '\0')));
    EXPECT_EQ(modFunctions::FindSection(path(), "DIM "), -1);
    writeFile(path(), section("VER ", QByteArray(2, '\0')) + section("DIM ", QByteArray(4, 0)));
    EXPECT_EQ(modFunctions::FindSection(path(), "DIM "), 14);
}

TEST_F(SectionSearch, MissingFileIsLeftBehindEmpty)
{
    Status error = Status::failure(FailureKind::Unspecified, "unset");
    EXPECT_EQ(modFunctions::FindSection(path(), "DIM ", &error), -1);
    EXPECT_TRUE(error.ok());
    const QFileInfo info(path());
    EXPECT_TRUE(info.isFile());
    EXPECT_EQ(info.size(), 0);
}

TEST_F(SectionSearch, UnreadableInputReportsAReason)
{
    Status error = Status::success();
    // A folder where the file should be.
    EXPECT_EQ(modFunctions::FindSection(dir.path(), "DIM ", &error), -1);
    EXPECT_FALSE(error.ok());
    EXPECT_FALSE(error.reason().isEmpty());

    // A missing file in a missing folder cannot be created.
    error = Status::success();
    EXPECT_EQ(modFunctions::FindSection(dir.filePath("no/such/scenario.chk"), "DIM ", &error), -1);
    EXPECT_FALSE(error.ok());

    // A name of the wrong length would match the wrong bytes.
    writeFile(path(), section("DIM ", QByteArray(4, '\0')));
    error = Status::success();
    EXPECT_EQ(modFunctions::FindSection(path(), "DIM", &error), -1);
    EXPECT_FALSE(error.ok());
}

TEST(MapDimension, HighByteOneMeansFullSizeElseLowByteAlone)
{
    struct Case { quint16 stored; int expected; };
    const Case cases[] = {
        {256, 256}, {320, 256}, {511, 256}, {576, 64}, {128, 128}, {64, 64},
        {96, 96}, {192, 192}, {0, 0}, {512, 0}, {0x0280, 128}, {20, 20},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(scenario::dimensionFromBytes(quint8(c.stored & 0xFF), quint8(c.stored >> 8)),
                  c.expected);
    }
}

TEST(MapDimension, AcceptsOnlyStandardSizes)
{
    for (int tiles = -1; tiles <= 600; ++tiles) {
        const bool standard = tiles == 64 || tiles == 96 || tiles == 128 || tiles == 192
            || tiles == 256;
        EXPECT_EQ(scenario::isAcceptedDimension(tiles), standard) << tiles;
    }
}

TEST_F(SectionSearch, ReadsMapSizeAtTheDimSection)
{
    struct Case { quint16 width, height; qint16 wantWidth, wantHeight; };
    const Case cases[] = {{256, 256, 256, 256}, {64, 96, 64, 96}, {576, 320, 64, 256},
                          {20, 100, 20, 100}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        writeFile(path(), section("VER ", QByteArray(2, '\0'))
                              + section("DIM ", testsupport::dimData(c.width, c.height)));
        const qint32 r = modFunctions::FindSection(path(), "DIM ");
        ASSERT_GE(r, 0);
        scenario::MapSize size;
        ASSERT_TRUE(scenario::readMapSize(path(), r, &size).ok());
        EXPECT_EQ(size.width, c.wantWidth);
        EXPECT_EQ(size.height, c.wantHeight);
    }
}

TEST_F(SectionSearch, MapSizeFailsWithoutFourBytes)
{
    scenario::MapSize size{7, 9};
    writeFile(path(), QByteArray("DIM ") + QByteArray(4, '\0') + QByteArray(3, '\x40'));
    const Status shortFile = scenario::readMapSize(path(), 4, &size);
    EXPECT_FALSE(shortFile.ok());
    EXPECT_FALSE(shortFile.reason().isEmpty());

    EXPECT_FALSE(scenario::readMapSize(path(), -1, &size).ok());
    EXPECT_FALSE(scenario::readMapSize(dir.filePath("missing.chk"), 4, &size).ok());
    EXPECT_FALSE(scenario::readMapSize(path(), 0x7FFFFFF0, &size).ok());
    EXPECT_EQ(size.width, 7); // untouched by failures
    EXPECT_EQ(size.height, 9);

    writeFile(path(), QByteArray("DIM ") + QByteArray(4, '\0') + QByteArray("\x80\x00\x00\x01", 4));
    ASSERT_TRUE(scenario::readMapSize(path(), 4, &size).ok());
    EXPECT_EQ(size.width, 128);
    EXPECT_EQ(size.height, 256);
}
