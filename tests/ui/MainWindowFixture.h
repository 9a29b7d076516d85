#pragma once

#include "TestSupport.h"
#include "ui/mdiMain.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

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
