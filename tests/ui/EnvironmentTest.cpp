// The windows and their surroundings: the command line, the working folder, the settings
// file. Whatever in the environment keeps the program from working is said, never silent.
#include "MainWindowFixture.h"

#include "core/settings/AppPaths.h"
#include "core/settings/modINI.h"
#include "ui/SingleInstance.h"
#include "ui/frmPreferences.h"

#include <QCheckBox>
#include <QCoreApplication>

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QThread>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>

#include <csignal>

namespace {

class EnvironmentTest : public MainWindowTest
{
public:
    /// A window whose files go where `paths` says (the program folder is the test folder).
    mdiMain &createWith(const AppPaths &paths)
    {
        window = std::make_unique<mdiMain>(paths, dialogs);
        QObject::connect(window.get(), &mdiMain::statusChanged,
                         [this](const QString &text) { statuses << text; });
        return *window;
    }
};

TEST_F(EnvironmentTest, AWorkingFolderThatCannotBeMadeIsReportedAndLeavesNoMap)
{
    // A file where a parent folder should be: no one, not even an administrator, can
    // make the folder.
    testsupport::writeFile(folder.file("blocker"), "a file");
    AppPaths paths = AppPaths::portable(folder.path());
    paths.workFolder = folder.file("blocker/work");
    writeConfig("[Settings]\nLoadDialog=1\n");
    createWith(paths);

    EXPECT_FALSE(window->MDIForm_Load(mapFile("Wanted.scm", testsupport::scenario(64, 64))));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMapLoaded());
    EXPECT_EQ(mapCommands(), "-----");
    EXPECT_EQ(window->statusText(), "No map loaded.");
    ASSERT_EQ(dialogs.asked.size(), 1) << "the message, and no Load Map dialog after it";
    const auto &message = dialogs.asked[0];
    EXPECT_EQ(message.kind, "message");
    EXPECT_TRUE(message.text.contains(QDir::toNativeSeparators(paths.workFolder)));
    EXPECT_TRUE(message.text.contains("not a folder")) << message.text.toStdString();

    // Load Map says it again instead of doing nothing.
    window->LoadMap();
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].kind, "message");
    EXPECT_EQ(dialogs.asked[1].title, "Load Map");
    EXPECT_EQ(window->statusText(), "No map loaded.");
}

TEST_F(EnvironmentTest, AMapGivenAtStartLoadsInsteadOfTheDialogOrSaysWhyNot)
{
    struct Case
    {
        const char *name;
        QByteArray fileBytes; // empty: no file at all
        bool loads;
    };
    const Case cases[] = {
        {"Good.scm", "map", true},
        {"Missing.scm", {}, false},
        {"NotAnArchive.scm", "plain text, not an archive", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.asked.clear();
        window.reset();
        QFile::remove(folder.file("velmora.lock"));
        writeConfig("[Settings]\nLoadDialog=1\n");
        const QString path = folder.file(c.name);
        if (c.fileBytes == "map")
            mapFile(c.name, testsupport::scenario(128, 64));
        else if (!c.fileBytes.isEmpty())
            testsupport::writeFile(path, c.fileBytes);
        create();
        EXPECT_TRUE(window->MDIForm_Load(path));

        EXPECT_EQ(window->isMapLoaded(), c.loads);
        for (const auto &asked : dialogs.asked)
            EXPECT_NE(asked.kind, "open") << "the start-up dialog must not appear";
        if (c.loads) {
            EXPECT_TRUE(dialogs.asked.isEmpty());
            EXPECT_EQ(window->intDimensionX, 128);
            EXPECT_EQ(window->statusText(), "Map loaded!");
        } else {
            ASSERT_EQ(dialogs.messages().size(), 1);
            EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(path)));
            EXPECT_FALSE(dialogs.messages()[0].text.contains(folder.workFile("")))
                << "never a private working path";
            EXPECT_EQ(mapCommands(), "-----");
            EXPECT_EQ(window->statusText(), "No map loaded.");
        }
    }
}

TEST_F(EnvironmentTest, TheWorkingCopyGoesAtExitAndLeftoversAtStart)
{
    QDir().mkpath(folder.path() + "/temp");
    testsupport::writeFile(folder.workFile("~temp.map"), "left by a crash");
    testsupport::writeFile(folder.workFile("scenario.chk"), "left by a crash");
    start();
    EXPECT_FALSE(QFileInfo::exists(folder.workFile("~temp.map")));
    EXPECT_FALSE(QFileInfo::exists(folder.workFile("scenario.chk")));

    loadMap(mapFile("Some.scm", testsupport::scenario(64, 64)));
    ASSERT_TRUE(QFileInfo::exists(folder.workFile("scenario.chk")));
    window->mnuExit->trigger();
    EXPECT_FALSE(QFileInfo::exists(folder.workFile("~temp.map")));
    EXPECT_FALSE(QFileInfo::exists(folder.workFile("scenario.chk")));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + "/temp")) << "an empty working folder goes too";
}

TEST_F(EnvironmentTest, PreferencesThatCannotBeStoredAreReported)
{
    // Per-user settings in a folder that does not exist yet are stored; a settings file
    // that is a folder is not, and the user hears about it.
    AppPaths paths = AppPaths::portable(folder.path());
    paths.configFile = folder.file("config/velmora/config.ini");
    createWith(paths);
    window->MDIForm_Load();
    window->mnuPreferences_Click();
    auto *form = qobject_cast<frmPreferences *>(window->preferencesWindow()->widget());
    ASSERT_NE(form, nullptr);
    form->chkSplash->setChecked(false);
    form->btnApply->click();
    EXPECT_EQ(modINI::ReadIniValue("Settings", "SplashScreen", "?", paths.configFile), "0");
    EXPECT_TRUE(dialogs.messages().isEmpty());

    QFile::remove(paths.configFile);
    QDir().mkpath(paths.configFile);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed dialog goes
    window->mnuPreferences_Click();
    form = qobject_cast<frmPreferences *>(window->preferencesWindow()->widget());
    ASSERT_NE(form, nullptr);
    form->btnApply->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(paths.configFile)));
    EXPECT_TRUE(dialogs.messages()[0].text.contains("folder"));
}

TEST_F(EnvironmentTest, ALockThatCannotBeTakenIsReportedAndTheProgramRuns)
{
    AppPaths paths = AppPaths::portable(folder.path());
    paths.lockFile = folder.file("no/such/folder/velmora.lock");
    SingleInstance instance(paths);
    EXPECT_EQ(instance.start({}), SingleInstance::Start::First);
    EXPECT_TRUE(instance.message().contains(QDir::toNativeSeparators(paths.lockFile)))
        << instance.message().toStdString();
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithoutWindows)
{
    struct Case
    {
        QStringList arguments;
        int exitCode;
        QStringList expected;   // each must appear in the output
        QStringList unexpected; // none may appear
        bool displayless = false; // run with no display at all, as in a plain terminal
    };
    const Case cases[] = {
        {{"--help"}, 0, {"Usage:", "[MAP]", "--version", "A map (*.scm, *.scx)"}, {"self-check"}, true},
        {{"-h"}, 0, {"Usage:", "[MAP]"}, {}},
        {{"--version"}, 0, {"velmora 1.1"}, {"Usage:"}, true},
        {{"--no-such-option"}, 1, {"no-such-option"}, {}},
        {{"one.scm", "two.scm"}, 2, {"Usage:"}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (c.displayless) {
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(name);
        }
        program.setProcessEnvironment(env);
        program.start(VELMORA_PATH, c.arguments);
        ASSERT_TRUE(program.waitForFinished(10000)) << "it must end at once, without windows";
        const QString output = QString::fromLocal8Bit(program.readAllStandardOutput()
                                                      + program.readAllStandardError());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), c.exitCode) << output.toStdString();
        for (const QString &text : c.expected)
            EXPECT_TRUE(output.contains(text)) << text.toStdString() << " in " << output.toStdString();
        for (const QString &text : c.unexpected)
            EXPECT_FALSE(output.contains(text)) << text.toStdString();
    }
}

// Ended by SIGTERM or SIGINT with a map loaded, the windows take their working copy and
// their lock with them, as Exit does.
TEST(EndedBySignal, TheWindowsLeaveNoWorkingCopyAndNoLock)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        // A portable copy of the program, so its working folder and lock are this test's.
        QTemporaryDir folder;
        const QString bin = QFileInfo(QStringLiteral(VELMORA_PATH)).absolutePath();
        for (const char *name : {"velmora", "velmora-archive-worker"})
            ASSERT_TRUE(QFile::copy(bin + '/' + name, folder.filePath(name)));
        testsupport::writeMap(folder.filePath("map.scm"), testsupport::scenario(64, 64));
        const AppPaths paths = AppPaths::portable(folder.path());
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.start(folder.filePath("velmora"), {folder.filePath("map.scm")});
        ASSERT_TRUE(program.waitForStarted());
        const auto workFiles = [&paths] {
            return QDir(paths.workFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        };
        // The map loaded: its working copy exists.
        for (int waited = 0; waited < 400 && workFiles().isEmpty(); ++waited)
            QThread::msleep(50);
        ASSERT_FALSE(workFiles().isEmpty()) << "the map never loaded";
        ASSERT_TRUE(QFileInfo::exists(paths.lockFile));
        ::kill(pid_t(program.processId()), signal);
        ASSERT_TRUE(program.waitForFinished(20000)) << "the signal did not end the windows";
        EXPECT_EQ(program.exitCode(), 128 + signal);
        EXPECT_TRUE(workFiles().isEmpty()) << workFiles().join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(paths.lockFile));
    }
}

} // namespace
