// Undo and Redo in the main window: typed values back after Match Colours, a Convert taken
// back before saving, and the Edit menu as a screen reader hears it.
#include "MainWindowFixture.h"

#include "core/archive/MpqControl.h"

#include <QAccessible>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>

using testsupport::SyntheticTileset;

namespace {

QByteArray scenarioEntry(const QString &archive)
{
    QByteArray data;
    EXPECT_TRUE(MpqControl().readEntry(archive, "staredit\\scenario.chk", &data).ok());
    return data;
}

/// Each item of `menu` as heard: "name | shortcut | enabled".
QStringList heard(QMenu *menu)
{
    QAccessibleInterface *access = QAccessible::queryAccessibleInterface(menu);
    QStringList items;
    for (int i = 0; access && i < access->childCount(); ++i) {
        QAccessibleInterface *item = access->child(i);
        items << item->text(QAccessible::Name) + " | " + item->text(QAccessible::Accelerator) + " | "
                + (item->state().disabled ? "off" : "on");
    }
    return items;
}

TEST_F(MainWindowTest, UndoAfterMatchColoursBringsTheTypedValuesBack)
{
    startWithGameData(SyntheticTileset::make(12));
    loadMap(mapFile("Match.scm", testsupport::scenario(64, 64, 4)));
    loadPicture(64, 64);
    frmColorList *list = window->existingColorList();
    typeValue(0, "123");
    typeValue(1, "45");
    ASSERT_EQ(list->lstReplace(), QStringList({"123", "45"}));

    list->btnMatch->click();
    const QStringList matched = list->lstReplace();
    ASSERT_NE(matched, QStringList({"123", "45"}));
    EXPECT_EQ(window->mnuUndo->text(), "&Undo Match Colours");

    window->mnuUndo->trigger();
    EXPECT_EQ(list->lstReplace(), QStringList({"123", "45"}));
    EXPECT_EQ(list->txtReplace->text(), "45") << "the selected colour's field follows";
    EXPECT_EQ(window->mnuRedo->text(), "&Redo Match Colours");
    // The typing in each colour was one step each.
    window->mnuUndo->trigger();
    EXPECT_EQ(list->lstReplace(), QStringList({"123", "0"}));
    window->mnuRedo->trigger();
    window->mnuRedo->trigger();
    EXPECT_EQ(list->lstReplace(), matched);
    EXPECT_FALSE(window->hasUnsavedWork());
}

TEST_F(MainWindowTest, ConvertUndoneThenSavedWritesTheMapAsItWasBefore)
{
    start();
    const QByteArray original = testsupport::scenario(64, 64);
    const QString map = mapFile("Map.scm", original);
    loadMap(map);
    loadPicture(64, 64);
    typeValue(0, "77");
    typeValue(1, "1200");
    window->mnuConvert->trigger();
    const QByteArray converted = testsupport::readFile(folder.workFile("scenario.chk"));
    ASSERT_NE(converted, original);
    ASSERT_TRUE(window->hasUnsavedWork());
    EXPECT_EQ(window->mnuUndo->text(), "&Undo Convert");

    window->mnuUndo->trigger();
    EXPECT_EQ(testsupport::readFile(folder.workFile("scenario.chk")), original);
    EXPECT_FALSE(window->hasUnsavedWork()) << "back at the map as loaded";
    window->mnuSave->trigger();
    EXPECT_EQ(scenarioEntry(map), original);

    // Redo past the saved point makes the question come back.
    window->mnuRedo->trigger();
    EXPECT_EQ(testsupport::readFile(folder.workFile("scenario.chk")), converted);
    EXPECT_TRUE(window->hasUnsavedWork());
    dialogs.unsavedAnswers.push_back(UserDialogs::UnsavedChoice::Cancel);
    window->mnuLoad->trigger();
    EXPECT_EQ(dialogs.unsavedQuestions(), 1);

    // Load Map starts a new history.
    dialogs.unsavedAnswers.push_back(UserDialogs::UnsavedChoice::Discard);
    loadMap(map);
    EXPECT_EQ(window->mnuUndo->text(), "&Undo");
    EXPECT_FALSE(window->mnuUndo->isEnabled());
}

TEST_F(MainWindowTest, EditMenuNamesItsStepsAndKeysToAScreenReader)
{
    start();
    EXPECT_EQ(heard(window->mnuEdit), QStringList({"Undo | Ctrl+Z | off", "Redo | Ctrl+Shift+Z | off"}));
    EXPECT_TRUE(window->mnuRedo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));

    // Access keys stay unique across the menu bar.
    QStringList keys;
    for (QAction *menu : window->menuBar()->actions()) {
        const QRegularExpressionMatch key = QRegularExpression("&(\\w)").match(menu->text());
        ASSERT_TRUE(key.hasMatch()) << menu->text().toStdString();
        keys << key.captured(1).toLower();
    }
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), window->menuBar()->actions().size()) << keys.join(' ').toStdString();

    loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
    loadPicture(64, 64);
    typeValue(1, "9");
    EXPECT_EQ(heard(window->mnuEdit),
              QStringList({"Undo Type Value | Ctrl+Z | on", "Redo | Ctrl+Shift+Z | off"}));
    window->mnuUndo->trigger();
    EXPECT_EQ(heard(window->mnuEdit),
              QStringList({"Undo Load Picture | Ctrl+Z | on", "Redo Type Value | Ctrl+Shift+Z | on"}));
}

} // namespace
