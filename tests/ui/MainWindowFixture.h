#pragma once

#include "SyntheticTileset.h"
#include "TestSupport.h"
#include "ui/mdiMain.h"
#include "ui/frmColorList.h"
#include "ui/frmPicture.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

#ifdef VELMORA_CLI_PATH
/// Runs the companion with `arguments`; its standard output, or a failed test.
inline QByteArray runCompanion(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(VELMORA_CLI_PATH), arguments);
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return cli.readAllStandardOutput();
}
#endif

/// A real main window in a fresh program folder, its dialogs answered by a script.
class MainWindowTest : public ::testing::Test
{
public:
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<mdiMain> window;
    QStringList statuses;

    void writeConfig(const QByteArray &text) { testsupport::writeFile(folder.file("config.ini"), text); }

    /// Creates the window and records every status text.
    mdiMain &create()
    {
        window = std::make_unique<mdiMain>(folder.path(), dialogs);
        QObject::connect(window.get(), &mdiMain::statusChanged,
                         [this](const QString &text) { statuses << text; });
        return *window;
    }

    /// Starts the window without the map dialog at start.
    mdiMain &start()
    {
        writeConfig("[Settings]\r\nLoadDialog=0\r\n");
        create();
        EXPECT_TRUE(window->MDIForm_Load());
        return *window;
    }

    /// Starts the window with a game data folder holding `tiles` as every tileset, without
    /// the map dialog at start; returns the folder.
    QString startWithGameData(const testsupport::SyntheticTileset &tiles)
    {
        const QString gameData = folder.file("game");
        for (const char *stem : {"badlands", "platform", "install", "ashworld", "jungle",
                                 "desert", "ice", "twilight"})
            tiles.writeFolder(gameData + "/tileset", stem);
        qunsetenv("VELMORA_GAME_DATA");
        writeConfig("[Settings]\r\nLoadDialog=0\r\nGameData=" + gameData.toUtf8() + "\r\n");
        create();
        EXPECT_TRUE(window->MDIForm_Load());
        return gameData;
    }

    /// A map archive at `name` in the test folder.
    QString mapFile(const QString &name, const QByteArray &scenarioBytes)
    {
        const QString path = folder.file(name);
        testsupport::writeMap(path, scenarioBytes);
        return path;
    }

    void loadMap(const QString &path)
    {
        dialogs.fileAnswers.push_back(path);
        statuses.clear();
        window->LoadMap();
    }

    /// Loads a picture of the left half red and the right half blue.
    void loadPicture(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int y = 0; y < height; ++y)
            for (int x = width / 2; x < width; ++x)
                image.setPixel(x, y, qRgb(0, 0, 255));
        const QString path = folder.file("picture.bmp");
        ASSERT_TRUE(image.save(path));
        dialogs.fileAnswers.push_back(path);
        window->pictureWindow()->btnLoad_Click();
        ASSERT_EQ(window->existingColorList()->colorKeys(), QStringList({"00000255", "16711680"}));
    }

    /// Types `value` for the colour at `row`, as a user would.
    void typeValue(int row, const QString &value)
    {
        frmColorList *list = window->existingColorList();
        list->lstColor->setCurrentRow(row);
        list->txtReplace->selectAll();
        list->txtReplace->insert(value);
    }

    /// Which of Save, Save As, Tileset, Convert, Convert & Save are enabled, as "SATCX" letters.
    QString mapCommands() const
    {
        QString out;
        out += window->mnuSave->isEnabled() ? 'S' : '-';
        out += window->mnuSaveAs->isEnabled() ? 'A' : '-';
        out += window->mnuTileset->isEnabled() ? 'T' : '-';
        out += window->mnuConvert->isEnabled() ? 'C' : '-';
        out += window->mnuConvertSave->isEnabled() ? 'X' : '-';
        return out;
    }

    int visibleSubWindows() const
    {
        int n = 0;
        for (QMdiSubWindow *w : window->mdiArea()->subWindowList())
            n += w->isVisible() ? 1 : 0;
        return n;
    }
};
