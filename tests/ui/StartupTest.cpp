#include "MainWindowFixture.h"

#include "ui/SingleInstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <atomic>
#include <thread>

namespace {

const QString StartCaption = QStringLiteral("::[Velmora]::[Version 1.1]::[No File Loaded]::....");

struct StartCase
{
    const char *name;
    const char *config; // nullptr: no config.ini at all
    bool statusBarVisible;
    bool loadDialogAtStart;
};

class StartupSettings : public MainWindowTest, public ::testing::WithParamInterface<StartCase>
{
};

TEST_P(StartupSettings, StatusBarAndLoadDialogFollowTheSettings)
{
    const StartCase &c = GetParam();
    if (c.config)
        writeConfig(c.config);
    create();
    ASSERT_TRUE(window->MDIForm_Load());

    EXPECT_EQ(window->statusBar()->isVisible(), c.statusBarVisible);
    const bool asked = !dialogs.asked.isEmpty() && dialogs.asked.first().kind == "open";
    EXPECT_EQ(asked, c.loadDialogAtStart);
    EXPECT_EQ(window->windowTitle(), StartCaption);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(statuses.value(0), "Initialized.");
    if (c.loadDialogAtStart) {
        // The dialog was cancelled: the no-map state, with nothing open.
        EXPECT_EQ(dialogs.asked.first().title, "Load Map");
        EXPECT_EQ(window->statusText(), "No map loaded.");
        EXPECT_EQ(visibleSubWindows(), 0);
    } else {
        EXPECT_EQ(window->statusText(), "Initialized.");
    }
    EXPECT_EQ(mapCommands(), "-----");
    // Reading settings never creates the file.
    EXPECT_EQ(QFileInfo::exists(folder.file("config.ini")), c.config != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StartupSettings,
    ::testing::Values(
        StartCase{"NoFile", nullptr, true, true},
        StartCase{"BothZero", "[Settings]\nStatusBar=0\nLoadDialog=0\n", false, false},
        StartCase{"BothOne", "[Settings]\nStatusBar=1\nLoadDialog=1\n", true, true},
        StartCase{"Two", "[Settings]\nStatusBar=2\nLoadDialog=2\n", true, false},
        StartCase{"MinusOne", "[Settings]\nStatusBar=-1\nLoadDialog=-1\n", true, false},
        StartCase{"EmptyValuesReadAsOne", "[Settings]\nStatusBar=\nLoadDialog=\n", true, true},
        StartCase{"LettersReadAsOne", "[Settings]\nStatusBar=off\nLoadDialog=no\n", true, true},
        StartCase{"OtherSectionIgnored", "[Other]\nStatusBar=0\nLoadDialog=0\n", true, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, MenusHaveTheirCaptionsNamesAndInitialStates)
{
    start();
    struct Item
    {
        QAction *action;
        const char *name;
        const char *caption;
        bool enabled;
    };
    const Item items[] = {
        {window->mnuLoad, "mnuLoad", "&Load Map", true},
        {window->mnuSave, "mnuSave", "&Save Map", false},
        {window->mnuSaveAs, "mnuSaveAs", "Save Map &As...", false},
        {window->mnuExit, "mnuExit", "&Exit", true},
        {window->mnuConvert, "mnuConvert", "&Convert", false},
        {window->mnuConvertSave, "mnuConvertSave", "Convert && &Save", false},
        {window->mnuTileset, "mnuTileset", "Change &Tileset", false},
        {window->mnuTerrainPreview, "mnuTerrainPreview", "Terrain Pre&view", true},
        {window->mnuPreferences, "mnuPreferences", "&Preferences", true},
        {window->mnuAbout, "mnuAbout", "&About", true},
        {window->mnuReadme, "mnuReadme", "&Readme", true},
        {window->mnuCoolStuff, "mnuCoolStuff", "Cool Stuff!", true},
    };
    for (const Item &item : items) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(item.action->objectName(), item.name);
        EXPECT_EQ(item.action->text(), item.caption);
        EXPECT_EQ(item.action->isEnabled(), item.enabled);
    }

    // Menus in order, each with its items and separators in order.
    const QList<QAction *> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    EXPECT_EQ(bar[0]->text(), "&File");
    EXPECT_EQ(bar[1]->text(), "&Edit");
    EXPECT_EQ(bar[2]->text(), "&Conversion");
    EXPECT_EQ(bar[3]->text(), "&Tools");
    EXPECT_EQ(bar[4]->text(), "&Help");
    QStringList file;
    for (QAction *a : window->mnuFile->actions())
        file << a->objectName();
    EXPECT_EQ(file, QStringList({"mnuLoad", "mnuRecent", "mnuFileLine1", "mnuSave", "mnuSaveAs", "mnuFileLine2",
                                 "mnuExit"}));
    QStringList tools;
    for (QAction *a : window->mnuTools->actions())
        tools << a->objectName();
    EXPECT_EQ(tools, QStringList({"mnuTileset", "mnuTerrainPreview", "mnuToolsLine1",
                                  "mnuPreferences"}));
}

TEST_F(MainWindowTest, StatusLineIsAPermanentLabelThatMenuHintsDoNotWipe)
{
    start();
    window->statusBar()->showMessage("a menu hint");
    EXPECT_EQ(window->statusText(), "Initialized.");
    EXPECT_EQ(window->staStatus->objectName(), "staStatus");
}

TEST_F(MainWindowTest, ASecondStartHandsItsMapToTheRunningWindowAndEnds)
{
    const AppPaths paths = AppPaths::portable(folder.path());
    SingleInstance first(paths);
    ASSERT_EQ(first.start({}), SingleInstance::Start::First);
    EXPECT_TRUE(first.message().isEmpty());
    start();
    QObject::connect(&first, &SingleInstance::requested, window.get(), &mdiMain::openMap);
    const QString map = mapFile("Handed.scm", testsupport::scenario(96, 64));

    // The second start, as another process would run it: blocking, on its own thread,
    // while this one keeps serving its event loop.
    auto secondStart = [&paths](const QString &mapPath) {
        std::atomic<int> outcome{-1};
        std::thread second([&] {
            SingleInstance later(paths);
            outcome = int(later.start(mapPath, 5000));
        });
        QElapsedTimer clock;
        clock.start();
        while (outcome < 0 && clock.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        second.join();
        QCoreApplication::processEvents();
        return SingleInstance::Start(outcome.load());
    };

    EXPECT_EQ(secondStart(map), SingleInstance::Start::HandedOver);
    EXPECT_TRUE(window->isMapLoaded());
    EXPECT_EQ(window->strFilename, QFileInfo(map).absoluteFilePath());
    EXPECT_EQ(window->intDimensionX, 96);
    EXPECT_TRUE(dialogs.asked.isEmpty()) << "no Load Map dialog for a handed-over map";

    // Without a map the running window only comes forward and keeps its map.
    EXPECT_EQ(secondStart({}), SingleInstance::Start::HandedOver);
    EXPECT_TRUE(window->isMapLoaded());

    // A lock whose holder does not answer blocks, and says so: `first` keeps the lock,
    // but its socket is gone.
    QLocalServer::removeServer(SingleInstance::socketFor(paths.lockFile));
    SingleInstance blockedStart(paths);
    EXPECT_EQ(blockedStart.start(map, 500), SingleInstance::Start::Blocked);
    EXPECT_TRUE(blockedStart.message().contains(QString::number(QCoreApplication::applicationPid())))
        << blockedStart.message().toStdString();
}

TEST_F(MainWindowTest, ExitEndsTheProgramWithoutAsking)
{
    start();
    bool ended = false;
    QObject::connect(window.get(), &mdiMain::programEnded, [&ended] { ended = true; });
    window->mnuExit->trigger();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, ReadmeOpensTheFileBesideTheProgramOrSaysItIsMissing)
{
    start();
    window->mnuReadme->trigger();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].kind, "message");
    EXPECT_EQ(dialogs.asked[0].title, "Error");
    EXPECT_EQ(dialogs.asked[0].text, "readme.txt could not be found.");
    EXPECT_EQ(dialogs.asked[0].icon, QMessageBox::Warning);

    testsupport::writeFile(folder.file("readme.txt"), "hello");
    window->mnuReadme->trigger();
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].kind, "document");
    EXPECT_EQ(QFileInfo(dialogs.asked[1].text), QFileInfo(folder.file("readme.txt")));

    window->mnuCoolStuff->trigger();
    EXPECT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(window->statusText(), "Initialized.");
}

} // namespace
