// Habits of everyday use: what a screen reader hears, the usual shortcuts, recent maps and
// dropped files.
#include "MainWindowFixture.h"

#include <QAccessible>
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

} // namespace
