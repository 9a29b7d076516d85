#include "MainWindowFixture.h"

#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "core/scenario/modFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QtEndian>

namespace {

const QString ScenarioEntry = QStringLiteral("staredit\\scenario.chk");

QByteArray entryOf(const QString &archive, const QString &name = ScenarioEntry)
{
    QByteArray data;
    const Status read = MpqControl().readEntry(archive, name, &data);
    EXPECT_TRUE(read.ok()) << read.reason().toStdString();
    return data;
}

/// Tile value of (x, y) in section `name` of a scenario.
int tileAt(const QByteArray &chk, const char *name, int width, int x, int y)
{
    const qsizetype r = chk.indexOf(QByteArray(name, 4)) + 4;
    return qFromLittleEndian<qint16>(chk.constData() + r + 4 + 2 * (y * width + x));
}

class SaveConvert : public MainWindowTest
{
protected:
    QString map;

    void loadNewMap(int width = 64, int height = 64)
    {
        start();
        map = mapFile("Map.scm", testsupport::scenario(width, height));
        loadMap(map);
        ASSERT_TRUE(window->isMapLoaded());
    }
};

TEST_F(SaveConvert, SaveRightAfterLoadingRewritesTheMapWithTheSameScenario)
{
    loadNewMap();
    const QByteArray chk = entryOf(map);
    window->mnuSave->trigger();
    EXPECT_EQ(window->statusText(), "Map saved!");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(entryOf(map), chk);
    EXPECT_EQ(entryOf(map, "readme\\about.txt"), QByteArray("made by the tests"));
    EXPECT_EQ(window->strFilename, map);
}

TEST_F(SaveConvert, SaveAsWritesTheChosenPathExactlyAndKeepsTheLoadedMapAsTarget)
{
    loadNewMap();
    const QString other = folder.file("copy-without-extension");
    testsupport::writeFile(other, "an existing file is replaced without a question");
    dialogs.fileAnswers.push_back(other);
    window->mnuSaveAs->trigger();

    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].kind, "save");
    EXPECT_EQ(dialogs.asked[1].title, "Save Map As...");
    EXPECT_EQ(dialogs.asked[1].initialPath, map); // the dialog is shared with Load Map
    EXPECT_EQ(window->statusText(), "Map saved!");
    EXPECT_EQ(entryOf(other), entryOf(map));
    EXPECT_FALSE(QFileInfo::exists(other + ".scm"));
    EXPECT_EQ(window->strFilename, map);
    EXPECT_EQ(window->windowTitle(), mdiMain::captionFor("Map.scm"));

    // Save Map still writes to the loaded map.
    QFile::remove(map);
    window->mnuSave->trigger();
    EXPECT_TRUE(QFileInfo::exists(map));
}

TEST_F(SaveConvert, CancelledSaveAsChangesNothing)
{
    loadNewMap();
    const QByteArray before = testsupport::readFile(map);
    window->mnuSaveAs->trigger(); // no answer: Cancel
    EXPECT_EQ(window->statusText(), "Map loaded!");
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(testsupport::readFile(map), before);
}

TEST_F(SaveConvert, FailedSavesLeaveTheTargetAsItWas)
{
    loadNewMap();
    const QByteArray before = testsupport::readFile(map);

    // The working archive vanished: Save Map says so and names the file.
    QFile::remove(folder.workFile("~temp.map"));
    window->mnuSave->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(map)));
    EXPECT_NE(window->statusText(), "Map saved!");
    EXPECT_EQ(testsupport::readFile(map), before);

    // Save Map As onto a folder says so the same way, naming the chosen target.
    loadMap(map);
    QDir(folder.path()).mkdir("a-folder.scm");
    dialogs.fileAnswers.push_back(folder.file("a-folder.scm"));
    window->mnuSaveAs->trigger();
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[1].title, dialogs.messages()[0].title);
    EXPECT_EQ(dialogs.messages()[1].icon, dialogs.messages()[0].icon);
    EXPECT_TRUE(dialogs.messages()[1].text.contains(QDir::toNativeSeparators(folder.file("a-folder.scm"))));
    EXPECT_EQ(window->statusText(), "Map loaded!");
    EXPECT_TRUE(QFileInfo(folder.file("a-folder.scm")).isDir());

    // No temporary file is left beside the targets.
    const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : left)
        EXPECT_FALSE(name.startsWith("a-folder") || (name.startsWith("Map") && name != "Map.scm"))
            << name.toStdString();
}

TEST_F(SaveConvert, SavingTenTimesDoesNotGrowTheMap)
{
    loadNewMap(128, 128);
    window->mnuSave->trigger();
    const qint64 first = QFileInfo(map).size();
    for (int i = 0; i < 9; ++i)
        window->mnuSave->trigger();
    EXPECT_LE(QFileInfo(map).size(), first);
}

TEST_F(SaveConvert, ConvertWritesBothSectionsAndConvertAndSaveStoresThem)
{
    loadNewMap();
    loadPicture(64, 64);
    EXPECT_EQ(mapCommands(), "SATCX");
    typeValue(0, "300");
    typeValue(1, "32767");
    const QByteArray archiveBefore = testsupport::readFile(map);

    statuses.clear();
    window->mnuConvert->trigger();
    EXPECT_EQ(statuses.first(), "Location \"TILE\" region.");
    EXPECT_TRUE(statuses.contains("Inserting data in TILE region... (64, 0)"));
    EXPECT_TRUE(statuses.contains("Inserting data in MTXM region... (64, 63)"));
    EXPECT_EQ(statuses.last(), "Conversion successful!");
    EXPECT_EQ(testsupport::readFile(map), archiveBefore) << "Convert alone must not touch the map";

    const QByteArray chk = testsupport::readFile(folder.workFile("scenario.chk"));
    EXPECT_EQ(chk.size(), testsupport::scenario(64, 64).size());
    for (const char *name : {"TILE", "MTXM"}) {
        EXPECT_EQ(tileAt(chk, name, 64, 0, 0), 300);
        EXPECT_EQ(tileAt(chk, name, 64, 31, 17), 300);
        EXPECT_EQ(tileAt(chk, name, 64, 32, 17), 32767);
        EXPECT_EQ(tileAt(chk, name, 64, 63, 63), 32767);
    }

    window->mnuConvertSave->trigger();
    EXPECT_EQ(window->statusText(), "Map saved!");
    EXPECT_EQ(entryOf(map), chk);
    EXPECT_EQ(entryOf(map, "staredit\\wav\\note.wav"), QByteArray(500, 'w'));
}

TEST_F(SaveConvert, ARefusedConversionWritesNothingAndIsNotSaved)
{
    loadNewMap();
    loadPicture(64, 64);
    // A value out of range cannot be typed, but a damaged scenario can be met:
    // take the "MTXM" section away from the working file.
    QByteArray chk = testsupport::readFile(folder.workFile("scenario.chk"));
    chk.replace("MTXM", "XXXX");
    testsupport::writeFile(folder.workFile("scenario.chk"), chk);
    const QByteArray archiveBefore = testsupport::readFile(map);

    window->mnuConvertSave->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].title, "Convert");
    EXPECT_NE(window->statusText(), "Map saved!");
    EXPECT_NE(window->statusText(), "Conversion successful!");
    EXPECT_EQ(testsupport::readFile(folder.workFile("scenario.chk")), chk);
    EXPECT_EQ(testsupport::readFile(map), archiveBefore);
}

TEST_F(SaveConvert, ConvertAndSaveNeverSavesWithoutALoadedMap)
{
    loadNewMap();
    loadPicture(64, 64);
    const QByteArray before = testsupport::readFile(map);
    loadMap(folder.file("missing.scm")); // fails: the no-map state
    EXPECT_EQ(mapCommands(), "-----");

    window->mnuConvertSave_Click(); // reached anyway
    EXPECT_EQ(testsupport::readFile(map), before);
    EXPECT_NE(window->statusText(), "Map saved!");
}

TEST_F(SaveConvert, ARealMapIsConvertedSavedAndReloaded)
{
    const QStringList maps = testsupport::realMaps();
    if (maps.isEmpty())
        GTEST_SKIP() << "VELMORA_MAPS is not set";
    start();
    const QString source = maps.filter("testmap1").value(0, maps.first());
    map = folder.file("Real.scm");
    ASSERT_TRUE(QFile::copy(source, map));
    QFile(map).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    loadMap(map);
    ASSERT_TRUE(window->isMapLoaded());
    const int w = window->intDimensionX;
    const int h = window->intDimensionY;
    const QByteArray original = entryOf(map);
    loadPicture(w, h);
    typeValue(0, "7");
    typeValue(1, "1234");
    window->mnuConvertSave->trigger();
    ASSERT_EQ(window->statusText(), "Map saved!");

    loadMap(map);
    ASSERT_TRUE(window->isMapLoaded());
    const QByteArray chk = entryOf(map);
    ASSERT_EQ(chk.size(), original.size());
    for (const char *name : {"TILE", "MTXM"})
        for (int y : {0, h / 2, h - 1})
            for (int x : {0, w / 2 - 1, w / 2, w - 1})
                EXPECT_EQ(tileAt(chk, name, w, x, y), x < w / 2 ? 7 : 1234) << name << x << "," << y;
    // Outside the two tile sections nothing changed.
    const qsizetype tile = chk.indexOf("TILE") + 8;
    const qsizetype mtxm = chk.indexOf("MTXM") + 8;
    QByteArray a = chk, b = original;
    for (qsizetype start : {tile, mtxm}) {
        a.replace(start, 2 * w * h, QByteArray(2 * w * h, '\0'));
        b.replace(start, 2 * w * h, QByteArray(2 * w * h, '\0'));
    }
    EXPECT_EQ(a, b);
}

} // namespace

// Ending the program with every tool window open: the child windows go after the frame's
// own members, and nothing they signal on the way may reach the half-destroyed frame.
TEST_F(SaveConvert, TheFrameEndsCleanlyWithEveryToolWindowOpen)
{
    loadNewMap();
    loadPicture(64, 64);
    window->mnuPreferences_Click();
    window->mnuTileset_Click();
    ASSERT_NE(window->preferencesWindow(), nullptr);
    ASSERT_NE(window->existingColorList(), nullptr);
    window.reset();
    SUCCEED();
}
