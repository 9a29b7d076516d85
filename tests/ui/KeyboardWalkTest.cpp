// The whole job done with the keyboard alone, on the real window: load a map, load a
// picture, type tile values, convert, save and leave.
#include "MainWindowFixture.h"

#include "core/archive/MpqControl.h"
#include "core/picture/PictureFit.h"

#include <QContextMenuEvent>
#include <QPushButton>
#include <QTimer>

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QtEndian>

namespace {

using KeyboardWalk = MainWindowTest;

/// Presses a key where a user's key would go: an open menu, the focused widget, or else
/// the active window.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "nothing has the keyboard";
    QTest::keyClick(target, key, modifiers);
}

int tileAt(const QByteArray &chk, int x, int y)
{
    const qsizetype r = chk.indexOf("MTXM") + 8;
    return qFromLittleEndian<qint16>(chk.constData() + r + 2 * (y * 64 + x));
}

TEST_F(KeyboardWalk, LoadPictureValuesConvertSaveAndExit)
{
    start();
    const QString map = mapFile("Map.scm", testsupport::scenario(64, 64));
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 64; ++y)
        for (int x = 32; x < 64; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    const QString picture = folder.file("picture.png");
    ASSERT_TRUE(image.save(picture));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    // Ctrl+O: the map.
    dialogs.fileAnswers.push_back(map);
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(window->isMapLoaded());

    // Alt+L in the picture window, which has the keyboard after the load.
    ASSERT_TRUE(window->pictureWindow()->isAncestorOf(QApplication::focusWidget()));
    dialogs.fileAnswers.push_back(picture);
    press(Qt::Key_L, Qt::AltModifier);
    // An access key clicks its button the way a mouse would: pressed, then released shortly after.
    for (int i = 0; i < 50 && window->pictureWindow()->picture().isNull(); ++i)
        QTest::qWait(20);
    ASSERT_FALSE(window->pictureWindow()->picture().isNull());

    // The picture window's context menu from the keyboard: Fit to Map > Stretch is one
    // step, which Ctrl+Z takes back.
    frmColorList *list = window->existingColorList();
    window->pictureWindow()->btnLoad->setFocus();
    // The menu key, as the window system hands it over (the offscreen platform does not);
    // the menu runs until an entry is chosen, so the keys are pressed from inside it.
    bool menuShown = false;
    QTimer::singleShot(0, [&] {
        menuShown = QApplication::activePopupWidget() != nullptr;
        press(Qt::Key_T);
        press(Qt::Key_S);
    });
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(4, 4));
    QApplication::sendEvent(QApplication::focusWidget(), &menuKey);
    ASSERT_TRUE(menuShown);
    EXPECT_EQ(window->pictureWindow()->fitOptions().fit, picture::Fit::Stretch);
    EXPECT_EQ(window->mnuUndo->text(), "&Undo Fit Picture");
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    QApplication::setActiveWindow(window.get());
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window->pictureWindow()->fitOptions().fit, picture::Fit::None);
    list->lstColor->setFocus();

    // The colour list takes the keyboard: Down selects a colour, Tab goes to its value.
    ASSERT_TRUE(list->isAncestorOf(QApplication::focusWidget()));
    for (const auto &[row, digits] : {std::pair{0, Qt::Key_7}, std::pair{1, Qt::Key_9}}) {
        if (QApplication::focusWidget() != list->lstColor)
            press(Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), list->lstColor);
        // Space selects the colour the list starts at, Down the next one.
        press(row == 0 ? Qt::Key_Space : Qt::Key_Down);
        press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), list->txtReplace);
        press(Qt::Key_A, Qt::ControlModifier);
        press(digits);
        press(digits);
    }
    EXPECT_EQ(list->lstReplace(), QStringList({"77", "99"}));
    // Tab goes on from the value through Pick Tile and Match Colours to Dither.
    ASSERT_EQ(QApplication::focusWidget(), list->txtReplace);
    for (QPushButton *next : {list->btnPickTile, list->btnMatch, list->btnDither}) {
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }

    // Alt+C, C: Conversion > Convert. Then Ctrl+S.
    press(Qt::Key_C, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), window->mnuConversion);
    press(Qt::Key_C);
    EXPECT_EQ(window->statusText(), "Conversion successful!");
    // The closed menu hands the keyboard back to the window, as the window system does.
    ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
    // (The offscreen platform leaves the closed menu marked active.)
    QApplication::setActiveWindow(window.get());
    ASSERT_EQ(QApplication::activeWindow(), window.get());
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window->statusText(), "Map saved!");

    QByteArray chk;
    ASSERT_TRUE(MpqControl().readEntry(map, "staredit\\scenario.chk", &chk).ok());
    EXPECT_EQ(tileAt(chk, 0, 0), 77);
    EXPECT_EQ(tileAt(chk, 31, 63), 77);
    EXPECT_EQ(tileAt(chk, 32, 0), 99);
    EXPECT_EQ(tileAt(chk, 63, 63), 99);

    // Ctrl+Q: nothing unsaved, so no question.
    QSignalSpy ended(window.get(), &mdiMain::programEnded);
    press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(dialogs.unsavedQuestions(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
