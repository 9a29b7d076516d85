// The splash window hands over to the main window exactly once, whatever comes first.
#include "ui/frmSplash.h"

#include "TestSupport.h"
#include "core/settings/modINI.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using testsupport::ProgramFolder;

namespace {

void storeSplashSetting(const ProgramFolder &folder, const QByteArray &value)
{
    testsupport::writeFile(modINI::configPath(folder.path()),
                           "[Settings]\nSplashScreen=" + value + "\n");
}

/// Counts hand-overs and notes whether the splash was still on screen at the time.
struct MainWindowStandIn
{
    int shown = 0;
    bool splashVisibleAtHandOver = false;
    frmSplash *splash = nullptr;

    std::function<void()> callback()
    {
        return [this] {
            ++shown;
            splashVisibleAtHandOver = splash && splash->isVisible();
        };
    }
};

} // namespace

struct SplashSettingCase
{
    const char *name;
    QByteArray stored; // null: no settings file
    bool splashShown;
};

class SplashSetting : public ::testing::TestWithParam<SplashSettingCase>
{
};

TEST_P(SplashSetting, ZeroSkipsTheSplashAnythingElseShowsIt)
{
    ProgramFolder folder;
    if (!GetParam().stored.isNull())
        storeSplashSetting(folder, GetParam().stored);
    MainWindowStandIn main;
    frmSplash splash(folder.path(), main.callback(), 60000);
    main.splash = &splash;
    splash.start();

    if (GetParam().splashShown) {
        EXPECT_TRUE(splash.isVisible());
        EXPECT_TRUE(splash.Timer1->isActive());
        EXPECT_EQ(main.shown, 0);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_LE((splash.frameGeometry().center() - screen.center()).manhattanLength(), 2);
    } else {
        EXPECT_FALSE(splash.isVisible());
        EXPECT_FALSE(splash.Timer1->isActive());
        EXPECT_EQ(main.shown, 1);
    }
    EXPECT_FALSE(QFileInfo::exists(modINI::configPath(folder.path())) && GetParam().stored.isNull())
        << "the splash must not create the settings file";
}

INSTANTIATE_TEST_SUITE_P(StoredValues, SplashSetting,
                         ::testing::Values(SplashSettingCase{"Zero", "0", false},
                                           SplashSettingCase{"One", "1", true},
                                           SplashSettingCase{"Two", "2", true},
                                           SplashSettingCase{"MinusOne", "-1", true},
                                           SplashSettingCase{"Letters", "abc", true},
                                           SplashSettingCase{"Empty", "", true},
                                           SplashSettingCase{"TooLarge", "70000", true},
                                           SplashSettingCase{"NoFile", QByteArray(), true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Splash, TimerHandsOverOnceWithTheSplashGone)
{
    ProgramFolder folder;
    MainWindowStandIn main;
    frmSplash splash(folder.path(), main.callback(), 50);
    main.splash = &splash;
    splash.start();

    EXPECT_TRUE(QTest::qWaitFor([&] { return main.shown > 0; }, 5000));
    EXPECT_FALSE(main.splashVisibleAtHandOver)
        << "the splash must be gone before the main window can open its file dialog";
    EXPECT_FALSE(splash.isVisible());
    QTest::qWait(150);
    EXPECT_EQ(main.shown, 1);
}

TEST(Splash, ClickOrKeyBeforeTheTimerHandsOverOnceAndNeverAgain)
{
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "key" : "click");
        ProgramFolder folder;
        MainWindowStandIn main;
        frmSplash splash(folder.path(), main.callback(), 200);
        main.splash = &splash;
        splash.start();
        ASSERT_TRUE(splash.isVisible());

        if (byKey)
            QTest::keyClick(&splash, Qt::Key_Escape);
        else
            QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 100));
        EXPECT_EQ(main.shown, 1);
        EXPECT_FALSE(main.splashVisibleAtHandOver);
        EXPECT_FALSE(splash.isVisible());

        // A second click and the time the timer would have fired: still one hand-over.
        QTest::mouseClick(&splash, Qt::LeftButton);
        QTest::qWait(400);
        EXPECT_EQ(main.shown, 1);
    }
}

TEST(Splash, ClosedByTheWindowSystemStillHandsOverOnce)
{
    ProgramFolder folder;
    MainWindowStandIn main;
    frmSplash splash(folder.path(), main.callback(), 200);
    main.splash = &splash;
    splash.start();

    splash.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.shown > 0; }, 2000));
    EXPECT_FALSE(main.splashVisibleAtHandOver);
    QTest::qWait(400);
    EXPECT_EQ(main.shown, 1);
}

TEST(Splash, ClosingItDoesNotEndTheProgram)
{
    ProgramFolder folder;
    bool quitRequested = false;
    QObject guard;
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &guard,
                     [&] { quitRequested = true; });
    MainWindowStandIn main;
    frmSplash splash(folder.path(), main.callback(), 60000);
    main.splash = &splash;
    splash.start();
    QTest::mouseClick(&splash, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(main.shown, 1);
    EXPECT_FALSE(quitRequested);
}
