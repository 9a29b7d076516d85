#include "MainWindowFixture.h"

#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "ui/frmTileset.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

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

// The companion runs the same core steps, so for the same map, picture, values and
// tileset it writes the same archive, byte for byte.
TEST_F(MainWindowTest, TheCompanionWritesTheSameArchiveAsTheWindows)
{
    start();
    const QString map = mapFile("Same.scm", testsupport::scenario(96, 64));
    QImage image(80, 70, QImage::Format_RGB32); // smaller than the map in width, larger in height
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x / 10 + y / 10) % 3 == 0 ? qRgb(255, 0, 0)
                                 : (x / 10 + y / 10) % 3 == 1 ? qRgb(0, 128, 0)
                                                               : qRgb(10, 20, 30));
    const QString picture = folder.file("art.bmp");
    ASSERT_TRUE(image.save(picture));

    loadMap(map);
    dialogs.fileAnswers.push_back(picture);
    window->pictureWindow()->btnLoad_Click();
    frmColorList *list = window->existingColorList();
    ASSERT_NE(list, nullptr);
    const QStringList keys = list->colorKeys();
    ASSERT_EQ(keys.size(), 4); // three colours and the uncovered tiles
    QByteArray colorFile;
    for (int i = 0; i < keys.size(); ++i) {
        const QString value = QString::number(100 * (i + 1) + 7);
        list->lstColor->setCurrentRow(i);
        list->txtReplace->setText(value);
        colorFile += keys[i].toLatin1() + "=" + value.toLatin1() + "\n";
    }
    window->mnuTileset->trigger();
    tilesetOf(*window)->cmbTileset->setCurrentText("Ice");
    tilesetOf(*window)->btnApply->click();
    window->mnuConvert->trigger();
    const QString fromWindows = folder.file("windows.scm");
    dialogs.fileAnswers.push_back(fromWindows);
    window->mnuSaveAs->trigger();
    ASSERT_EQ(window->statusText(), "Map saved!");

    const QString colors = folder.file("colors.txt");
    testsupport::writeFile(colors, colorFile);
    const QString fromCompanion = folder.file("companion.scm");
    QProcess cli;
    cli.start(QStringLiteral(VELMORA_CLI_PATH),
              {"convert", map, picture, "--colors", colors, "--tileset", "Ice", "-o", fromCompanion});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();

    const QByteArray windowsBytes = testsupport::readFile(fromWindows);
    ASSERT_FALSE(windowsBytes.isEmpty());
    EXPECT_EQ(windowsBytes, testsupport::readFile(fromCompanion));
}

} // namespace
