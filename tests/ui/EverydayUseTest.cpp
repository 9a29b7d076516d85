// Habits of everyday use: what a screen reader hears, the usual shortcuts, recent maps and
// dropped files.
#include "MainWindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

namespace {

using EverydayUse = MainWindowTest;

TEST_F(EverydayUse, AScreenReaderHearsEveryStatusOfTheMainFlow)
{
    start();
    QStringList heard;
    QStringList described;
    QObject::connect(window.get(), &mdiMain::statusChanged, [&](const QString &) {
        QAccessibleInterface *label = QAccessible::queryAccessibleInterface(window->staStatus);
        ASSERT_NE(label, nullptr);
        heard << label->text(QAccessible::Name);
        described << label->text(QAccessible::Description);
    });
    loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
    loadPicture(64, 64);
    typeValue(1, "12");
    window->mnuConvertSave->trigger();

    for (const char *text : {"Loading Map...", "Map loaded!", "Picture loaded!",
                             "Conversion successful!", "Map saved!"})
        EXPECT_TRUE(statuses.contains(text)) << text;
    EXPECT_EQ(heard, statuses);
    EXPECT_EQ(described, QStringList(statuses.size(), "Status"));
}

struct ShortcutCase
{
    const char *action;
    const char *caption;
    QKeyCombination keys;
};

TEST_F(EverydayUse, UsualShortcutsSitBesideTheAccessKeysAndRunTheirCommands)
{
    start();
    loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const ShortcutCase cases[] = {
        {"mnuLoad", "&Load Map", Qt::CTRL | Qt::Key_O},
        {"mnuSave", "&Save Map", Qt::CTRL | Qt::Key_S},
        {"mnuSaveAs", "Save Map &As...", Qt::SHIFT | Qt::CTRL | Qt::Key_S},
        {"mnuExit", "&Exit", Qt::CTRL | Qt::Key_Q},
    };
    for (const ShortcutCase &c : cases) {
        auto *action = window->findChild<QAction *>(c.action);
        ASSERT_NE(action, nullptr) << c.action;
        EXPECT_EQ(action->text(), c.caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(c.keys)) << c.action;
        // Each key runs its command once; Exit comes last, as it closes the window.
        QSignalSpy triggered(action, &QAction::triggered);
        dialogs.fileAnswers.push_back(window->strFilename);
        QTest::keyClick(window.get(), c.keys.key(), c.keys.keyboardModifiers());
        EXPECT_EQ(triggered.size(), 1) << c.action;
        dialogs.fileAnswers.clear();
        if (!window->isMapLoaded())
            loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
    }
}

struct AccessKeyCase
{
    const char *name;
    const char *menuItem;
    QMdiSubWindow *(mdiMain::*window)() const;
    Qt::Key key;
    bool applied;
};

class AccessKeys : public MainWindowTest, public ::testing::WithParamInterface<AccessKeyCase>
{
protected:
    /// Presses Alt+key where a user's key would go: the focused widget of the active window.
    void pressAlt(Qt::Key key)
    {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, key, Qt::AltModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void closeMenus()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }
};

TEST_P(AccessKeys, TheActiveDialogsKeysWinOverTheMenuBar)
{
    const AccessKeyCase &c = GetParam();
    start();
    loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // No dialog active: the menu bar keeps Alt+C.
    pressAlt(Qt::Key_C);
    EXPECT_EQ(QApplication::activePopupWidget(), window->mnuConversion);
    closeMenus();

    window->findChild<QAction *>(c.menuItem)->trigger();
    QPointer<QMdiSubWindow> dialog = (window.get()->*c.window)();
    ASSERT_TRUE(dialog);
    ASSERT_EQ(window->mdiArea()->activeSubWindow(), dialog.data());
    ASSERT_TRUE(dialog->isAncestorOf(QApplication::focusWidget()));
    // Changes that Apply would store and Cancel would drop.
    if (auto *box = dialog->findChild<QCheckBox *>("chkStatusBar"))
        box->setChecked(false);
    if (auto *combo = dialog->findChild<QComboBox *>("cmbTileset"))
        combo->setCurrentIndex(5);

    pressAlt(c.key);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a menu took the dialog's key";
    closeMenus();
    EXPECT_TRUE(dialog.isNull()) << "the dialog's button was not pressed";
    const bool stored = QFileInfo(folder.file("config.ini")).size() > 30 || window->hasUnsavedWork();
    EXPECT_EQ(stored, c.applied);

    // The dialog is gone: Alt+C is the menu's again.
    pressAlt(Qt::Key_C);
    EXPECT_EQ(QApplication::activePopupWidget(), window->mnuConversion);
    closeMenus();
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, AccessKeys,
    ::testing::Values(
        AccessKeyCase{"PreferencesCancel", "mnuPreferences", &mdiMain::preferencesWindow, Qt::Key_C, false},
        AccessKeyCase{"PreferencesApply", "mnuPreferences", &mdiMain::preferencesWindow, Qt::Key_A, true},
        AccessKeyCase{"TilesetCancel", "mnuTileset", &mdiMain::tilesetWindow, Qt::Key_C, false},
        AccessKeyCase{"TilesetApply", "mnuTileset", &mdiMain::tilesetWindow, Qt::Key_A, true}),
    [](const ::testing::TestParamInfo<AccessKeyCase> &info) { return std::string(info.param.name); });

} // namespace
