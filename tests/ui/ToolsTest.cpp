#include "MainWindowFixture.h"

#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "ui/frmTileset.h"

#include "core/convert/ColorFile.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

frmTileset *tilesetOf(mdiMain &window)
{
    QMdiSubWindow *sub = window.tilesetWindow();
    return sub ? qobject_cast<frmTileset *>(sub->widget()) : nullptr;
}

TEST_F(MainWindowTest, ToolWindowsOpenOnceAndAMapLoadClosesTheTilesetDialog)
{
    start();
    const QString map = mapFile("Jungle.scm", testsupport::scenario(64, 64, 4));
    loadMap(map);
    window->mnuTileset->trigger();
    window->mnuTileset->trigger();
    window->mnuPreferences->trigger();
    window->mnuPreferences->trigger();
    int tilesets = 0, preferences = 0;
    for (QMdiSubWindow *sub : window->mdiArea()->subWindowList()) {
        tilesets += qobject_cast<frmTileset *>(sub->widget()) ? 1 : 0;
        preferences += sub->widget()->objectName() == "frmPreferences" ? 1 : 0;
    }
    EXPECT_EQ(tilesets, 1);
    EXPECT_EQ(preferences, 1);
    ASSERT_NE(tilesetOf(*window), nullptr);
    EXPECT_EQ(tilesetOf(*window)->cmbTileset->currentText(), "Jungle World");

    // Loading again, even cancelled, takes the dialog away with the old working file.
    window->LoadMap();
    EXPECT_EQ(tilesetOf(*window), nullptr);
    EXPECT_EQ(mapCommands(), "-----");

    loadMap(map);
    EXPECT_EQ(tilesetOf(*window), nullptr);
}

/// The same map and picture for the windows and the companion: a 96 x 64 map and a
/// picture smaller than it in width and larger in height, loaded in the windows.
struct SameInput
{
    QString map;
    QString picture;
};

SameInput loadSameInput(MainWindowTest &t, const std::function<QRgb(int x, int y)> &pixel)
{
    const SameInput input{t.mapFile("Same.scm", testsupport::scenario(96, 64)),
                          t.folder.file("art.bmp")};
    QImage image(80, 70, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, pixel(x, y));
    EXPECT_TRUE(image.save(input.picture));
    t.loadMap(input.map);
    t.dialogs.fileAnswers.push_back(input.picture);
    t.window->pictureWindow()->btnLoad_Click();
    return input;
}

/// Saves the windows' map as `name` in the test folder.
QByteArray saveWindowsMap(MainWindowTest &t, const QString &name)
{
    t.dialogs.fileAnswers.push_back(t.folder.file(name));
    t.window->mnuSaveAs->trigger();
    EXPECT_EQ(t.window->statusText(), "Map saved!");
    return testsupport::readFile(t.folder.file(name));
}

// The companion runs the same core steps, so for the same map, picture, values and
// tileset it writes the same archive, byte for byte; the colour file goes both ways: the
// windows export the companion's template, and the companion converts with their values.
TEST_F(MainWindowTest, TheCompanionWritesTheSameArchiveAsTheWindows)
{
    start();
    const SameInput input = loadSameInput(*this, [](int x, int y) {
        return (x / 10 + y / 10) % 3 == 0 ? qRgb(255, 0, 0)
             : (x / 10 + y / 10) % 3 == 1 ? qRgb(0, 128, 0)
                                           : qRgb(10, 20, 30);
    });
    frmColorList *list = window->existingColorList();
    ASSERT_NE(list, nullptr);
    const QStringList keys = list->colorKeys();
    ASSERT_EQ(keys.size(), 4); // three colours and the uncovered tiles

    // Every value still 0: the export is the companion's template, byte for byte.
    const QString colors = folder.file("colors.txt");
    dialogs.fileAnswers.push_back(colors);
    list->btnExport->click();
    ASSERT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(testsupport::readFile(colors), runCompanion({"colors", "--template", input.map, input.picture}));

    QByteArray colorFile;
    for (int i = 0; i < keys.size(); ++i) {
        const QString value = QString::number(100 * (i + 1) + 7);
        list->lstColor->setCurrentRow(i);
        list->txtReplace->setText(value);
        colorFile += keys[i].toLatin1() + "=" + value.toLatin1() + "\n";
    }
    // The exported values read as the plain KEY=VALUE lines typed above. The colour list's
    // access keys are its own (the menu bar's Alt+F, C, T and H are not among them): Alt+X
    // exports, Alt+P asks for the palette.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    list->lstColor->setFocus();
    dialogs.fileAnswers.push_back(colors);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.fileAnswers.empty(); }));
    int paletteRequests = 0;
    QObject::connect(list, &frmColorList::tilePaletteRequested, [&] { ++paletteRequests; });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return paletteRequests == 1; }));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    const Result<ColorFile> exported = ColorFile::read(colors);
    const Result<ColorFile> typed = ColorFile::parse(QString::fromLatin1(colorFile));
    ASSERT_TRUE(exported.ok() && typed.ok());
    ASSERT_EQ(exported->assignments().size(), typed->assignments().size());
    for (qsizetype i = 0; i < typed->assignments().size(); ++i) {
        EXPECT_EQ(exported->assignments()[i].color, typed->assignments()[i].color);
        EXPECT_EQ(exported->assignments()[i].value, typed->assignments()[i].value);
    }

    window->mnuTileset->trigger();
    tilesetOf(*window)->cmbTileset->setCurrentText("Ice");
    tilesetOf(*window)->btnApply->click();
    window->mnuConvert->trigger();
    const QByteArray windowsBytes = saveWindowsMap(*this, "windows.scm");

    const QString fromCompanion = folder.file("companion.scm");
    runCompanion({"convert", input.map, input.picture, "--colors", colors, "--tileset", "Ice",
                  "-o", fromCompanion});
    ASSERT_FALSE(windowsBytes.isEmpty());
    EXPECT_EQ(windowsBytes, testsupport::readFile(fromCompanion));
}

// Match Colours and the companion's --match choose the same tiles from the same game data:
// the colour file it prints holds the windows' values, and the maps are the same.
TEST_F(MainWindowTest, TheCompanionMatchesColoursAsTheWindowsDo)
{
    const QString gameData = startWithGameData(testsupport::SyntheticTileset::make(9));
    const SameInput input = loadSameInput(*this, [](int x, int y) {
        return qRgb(x * 3, y * 3, (x * y) % 256);
    });
    frmColorList *list = window->existingColorList();
    ASSERT_NE(list, nullptr);
    const qsizetype colors = list->colorValues().size();
    ASSERT_EQ(colors, 80 * 64 + 1); // the map's part of the picture, and the uncovered tiles
    list->btnMatch->click();
    ASSERT_EQ(window->statusText(), QString("Colours matched: %1 of %2.").arg(colors - 1).arg(colors));
    window->mnuConvert->trigger();
    const QByteArray windowsBytes = saveWindowsMap(*this, "windows.scm");

    const QByteArray printed =
        runCompanion({"colors", input.map, input.picture, "--match", "--game-data", gameData});
    QStringList fromWindows;
    const QStringList keys = list->colorKeys();
    for (int i = 0; i < keys.size(); ++i)
        fromWindows << keys[i] + "=" + list->lstReplace()[i];
    QStringList fromCompanion = QString::fromLatin1(printed).split('\n', Qt::SkipEmptyParts);
    fromCompanion.removeIf([](const QString &line) { return line.startsWith('#'); });
    EXPECT_EQ(fromCompanion, fromWindows);

    const QString fromCompanionMap = folder.file("companion.scm");
    runCompanion({"convert", input.map, input.picture, "--match", "--game-data", gameData, "-o",
                  fromCompanionMap});
    ASSERT_FALSE(windowsBytes.isEmpty());
    EXPECT_EQ(windowsBytes, testsupport::readFile(fromCompanionMap));
}

} // namespace
