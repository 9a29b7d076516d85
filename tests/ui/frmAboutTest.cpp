// The About window: modal, and closed by its "Close" control from mouse or keyboard.
#include "ui/frmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

/// Runs `act` once the dialog's own event loop is running; returns exec()'s result, or
/// -1 when `act` did not close it within five seconds.
int execAndThen(frmAbout &about, std::function<void()> act, bool *wasModal)
{
    QTimer::singleShot(0, &about, [&] {
        *wasModal = QApplication::activeModalWidget() == &about;
        act();
    });
    QTimer::singleShot(5000, &about, [&] { about.done(-1); });
    return about.exec();
}

} // namespace

TEST(About, ModalAndClosedByCloseFromMouseOrKeyboard)
{
    const std::vector<std::pair<const char *, std::function<void(frmAbout &)>>> ways{
        {"click", [](frmAbout &a) { QTest::mouseClick(a.lbClose, Qt::LeftButton); }},
        {"space", [](frmAbout &a) { QTest::keyClick(a.lbClose, Qt::Key_Space); }},
        {"enter", [](frmAbout &a) { QTest::keyClick(a.lbClose, Qt::Key_Return); }},
        {"escape", [](frmAbout &a) { QTest::keyClick(&a, Qt::Key_Escape); }},
    };
    QWidget owner;
    owner.show();
    for (const auto &[name, act] : ways) {
        SCOPED_TRACE(name);
        frmAbout about(&owner);
        bool wasModal = false;
        const int result = execAndThen(about, [&] { act(about); }, &wasModal);
        EXPECT_TRUE(wasModal);
        EXPECT_NE(result, -1) << "not closed";
        EXPECT_FALSE(about.isVisible());
    }
}

TEST(About, CloseIsAReachableButtonInsideItsFrame)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), QSize(402, 272));
    EXPECT_EQ(about.lbClose->text(), "Close");
    EXPECT_NE(about.lbClose->focusPolicy() & Qt::TabFocus, 0);

    // The four lines enclose the control.
    const QRect frame = about.LineN->geometry() | about.LineS->geometry()
        | about.LineW->geometry() | about.LineE->geometry();
    EXPECT_EQ(frame, QRect(QPoint(304, 216), QPoint(376, 240)));
    EXPECT_TRUE(frame.contains(about.lbClose->geometry()));
}
