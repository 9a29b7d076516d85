// Habits of everyday use: what a screen reader hears, the usual shortcuts, recent maps and
// dropped files.
#include "MainWindowFixture.h"

#include "core/settings/modINI.h"
#include "ui/RecentMapsMenu.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPointer>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <cmath>
#include <QUrl>
#include <QWheelEvent>
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
    // Load Map reloads the same map, Save As is cancelled, Exit comes last as it closes.
    dialogs.fileAnswers.push_back(window->strFilename);
    for (const ShortcutCase &c : cases) {
        auto *action = window->findChild<QAction *>(c.action);
        ASSERT_NE(action, nullptr) << c.action;
        EXPECT_EQ(action->text(), c.caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(c.keys)) << c.action;
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keyClick(window.get(), c.keys.key(), c.keys.keyboardModifiers());
        EXPECT_EQ(triggered.size(), 1) << c.action;
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
    const bool stored = modINI::ReadIniValue("Settings", "StatusBar", "1", folder.file("config.ini")) == "0"
        || window->hasUnsavedWork();
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

TEST_F(EverydayUse, RecentMapsListTheLastLoadsGreyTheMissingAndLoadOnChoice)
{
    start();
    QStringList maps;
    for (const char *name : {"A.scm", "B&B.scx", "C.scm"})
        maps << mapFile(name, testsupport::scenario(64, 64));
    for (const QString &map : maps)
        loadMap(map);
    QFile::remove(maps[1]);

    // A new window (the next start) reads the same list from the settings file.
    window.reset();
    create();
    ASSERT_TRUE(window->MDIForm_Load());
    QMenu *recent = window->mnuRecent;
    emit recent->aboutToShow();
    const QList<QAction *> entries = recent->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), "&1 C.scm");
    EXPECT_EQ(entries[1]->text(), "&2 B&&B.scx");
    EXPECT_EQ(entries[2]->text(), "&3 A.scm");
    EXPECT_TRUE(entries[0]->isEnabled());
    EXPECT_FALSE(entries[1]->isEnabled());
    EXPECT_TRUE(entries[1]->toolTip().contains(QDir::toNativeSeparators(maps[1])));
    EXPECT_TRUE(recent->toolTipsVisible());

    dialogs.asked.clear();
    entries[2]->trigger();
    EXPECT_TRUE(dialogs.asked.isEmpty()) << "a recent map loads without the file dialog";
    EXPECT_EQ(window->strFilename, maps[0]);
    EXPECT_EQ(window->windowTitle(), mdiMain::captionFor("A.scm"));
    emit recent->aboutToShow();
    EXPECT_EQ(recent->actions().value(0)->text(), "&1 A.scm");
}

struct DropCase
{
    const char *name;
    bool ontoPicture;
    QStringList files; // names in the test folder; "http:" entries are remote
    const char *result; // "map", "picture" or "" for nothing
};

class Drops : public MainWindowTest, public ::testing::WithParamInterface<DropCase>
{
};

TEST_P(Drops, AMapLoadsOnTheWindowAndAPictureOnThePictureWindow)
{
    const DropCase &c = GetParam();
    start();
    const QString first = mapFile("First.scm", testsupport::scenario(64, 64));
    loadMap(first);
    mapFile("Dropped.scx", testsupport::scenario(96, 64));
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(folder.file("dropped.png")));
    ASSERT_TRUE(image.save(folder.file("dropped.BMP"), "BMP"));
    QDir(folder.path()).mkdir("folder.scm");

    QList<QUrl> urls;
    for (const QString &name : c.files)
        urls << (name.startsWith("http:") ? QUrl(name) : QUrl::fromLocalFile(folder.file(name)));
    QMimeData data;
    data.setUrls(urls);
    // Offered to the window under the pointer first; one that refuses leaves it to its parent.
    const QPoint at(5, 5);
    QList<QWidget *> takers{window.get()};
    if (c.ontoPicture)
        takers.prepend(window->pictureWindow());
    QWidget *taker = nullptr;
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    for (QWidget *w : takers) {
        enter.setAccepted(false);
        QApplication::sendEvent(w, &enter);
        if (enter.isAccepted()) {
            taker = w;
            break;
        }
    }
    const QString result = c.result;
    EXPECT_EQ(enter.isAccepted(), !result.isEmpty());
    if (enter.isAccepted()) {
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(taker, &drop);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(window->strFilename, result == "map" ? folder.file("Dropped.scx") : first);
    EXPECT_EQ(window->intDimensionX, result == "map" ? 96 : 64);
    EXPECT_EQ(!window->pictureWindow()->picture().isNull(), result == "picture");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, Drops,
    ::testing::Values(
        DropCase{"MapOnWindow", false, {"Dropped.scx"}, "map"},
        DropCase{"MapOnPictureGoesToTheWindow", true, {"Dropped.scx"}, "map"},
        DropCase{"PngOnPicture", true, {"dropped.png"}, "picture"},
        DropCase{"UpperCaseBmpOnPicture", true, {"dropped.BMP"}, "picture"},
        DropCase{"PictureOnWindow", false, {"dropped.png"}, ""},
        DropCase{"TwoMaps", false, {"Dropped.scx", "First.scm"}, ""},
        DropCase{"AFolderNamedLikeAMap", false, {"folder.scm"}, ""},
        DropCase{"RemoteMap", false, {"http://example.invalid/x.scm"}, ""}),
    [](const ::testing::TestParamInfo<DropCase> &info) { return std::string(info.param.name); });

class Zoom : public MainWindowTest
{
protected:
    frmPicture *picture = nullptr;
    QImage source;

    void SetUp() override
    {
        start();
        loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
        picture = window->pictureWindow();
        // Every pixel differs from its neighbours, so any blending shows.
        source = QImage(80, 70, QImage::Format_RGB32);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                source.setPixel(x, y, qRgb(x * 3, y * 3, (x + y) % 2 ? 255 : 0));
        ASSERT_TRUE(source.save(folder.file("zoom.png")));
        picture->loadPictureFile(folder.file("zoom.png"));
        ASSERT_FALSE(picture->picture().isNull());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        picture->btnLoad->setFocus();
    }

    /// The box shows the map's area of the picture, each pixel as a sharp factor x factor block.
    void expectSharp(int factor)
    {
        SCOPED_TRACE(factor);
        EXPECT_EQ(picture->picMain->size(), QSize(64 * factor, 64 * factor));
        const QImage shown = picture->picMain->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_GE(shown.width(), 64 * factor);
        ASSERT_GE(shown.height(), 64 * factor);
        for (int y = 0; y < 64 * factor; y += (factor > 1 ? factor - 1 : 1))
            for (int x = 0; x < 64 * factor; x += (factor > 1 ? factor - 1 : 1))
                ASSERT_EQ(shown.pixel(x, y), source.pixel(x / factor, y / factor)) << x << "," << y;
    }
};

TEST_F(Zoom, KeysAndTheWheelStepThroughSharpFactors)
{
    struct Step
    {
        QKeyCombination key; // Qt::Key_unknown: one wheel notch (modifiers: down when Shift)
        int factor;
    };
    const Step steps[] = {
        {QKeyCombination(Qt::Key_2), 2}, {QKeyCombination(Qt::Key_Plus), 4},
        {QKeyCombination(Qt::CTRL | Qt::Key_Plus), 8}, {QKeyCombination(Qt::Key_Plus), 8},
        {QKeyCombination(Qt::CTRL | Qt::Key_Minus), 4}, {QKeyCombination(Qt::Key_1), 1},
        {QKeyCombination(Qt::Key_Minus), 1}, {QKeyCombination(Qt::Key_unknown), 2},
        {QKeyCombination(Qt::Key_unknown), 4}, {QKeyCombination(Qt::SHIFT | Qt::Key_unknown), 2},
        {QKeyCombination(Qt::Key_8), 8}, {QKeyCombination(Qt::CTRL | Qt::Key_0), 1},
    };
    expectSharp(1);
    for (const Step &step : steps) {
        if (step.key.key() == Qt::Key_unknown) {
            const int delta = step.key.keyboardModifiers() & Qt::ShiftModifier ? -120 : 120;
            QWheelEvent wheel(QPointF(10, 10), picture->mapToGlobal(QPointF(10, 10)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            // A platform's wheel event over the picture propagates to the window; sent by
            // hand it does not, so it goes to the window directly.
            QApplication::sendEvent(picture, &wheel);
        } else {
            QTest::keyClick(QApplication::focusWidget(), step.key.key(), step.key.keyboardModifiers());
        }
        EXPECT_EQ(picture->zoomFactor(), step.factor);
        expectSharp(step.factor);
    }
    // Zoom ends where the picture window ends: the keys are the map window's otherwise.
    window->mdiArea()->setActiveSubWindow(nullptr);
    window->setFocus();
    QTest::keyClick(window.get(), Qt::Key_4);
    EXPECT_EQ(picture->zoomFactor(), 1);
}

TEST_F(Zoom, FitUsesTheLargestWholeFactorTheWindowHasRoomFor)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(picture->parentWidget());
    ASSERT_NE(frame, nullptr);
    for (const QSize client : {QSize(700, 500), QSize(300, 260), QSize(1200, 900)}) {
        window->resize(client);
        QCoreApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F);
        const QSize room = window->mdiArea()->viewport()->size();
        const double factor = picture->zoomFactor();
        SCOPED_TRACE(factor);
        EXPECT_EQ(factor, std::floor(factor));
        EXPECT_LE(frame->width(), room.width());
        EXPECT_LE(frame->height(), room.height());
        // One step more would not fit (unless the largest step is reached).
        if (factor < 8) {
            EXPECT_TRUE(frame->width() + 64 > room.width() || frame->height() + 64 > room.height());
        }
        expectSharp(int(factor));
    }
}

} // namespace
