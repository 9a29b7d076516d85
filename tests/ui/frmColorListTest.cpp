// The colour list window: the parallel lists, the swatch and the replacement field.
#include "ui/frmColorList.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QStringList Keys{"16777215", "00000255", "16711680", "-00000001", "00065280"};

void select(frmColorList &window, int row)
{
    window.lstColor->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

} // namespace

TEST(ColorList, FillsBothListsInParallel)
{
    frmColorList window;
    window.setColors(Keys);
    EXPECT_EQ(window.colorKeys(), Keys);
    EXPECT_EQ(window.replacements(), QStringList(Keys.size(), "0"));

    // Each entry carries a swatch of its colour beside the key alone.
    EXPECT_EQ(window.lstColor->item(0)->data(Qt::DecorationRole).value<QColor>(), QColor(Qt::white));
    EXPECT_EQ(window.lstColor->item(1)->data(Qt::DecorationRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(window.lstColor->item(2)->data(Qt::DecorationRole).value<QColor>(), QColor(0, 0, 255));
    EXPECT_FALSE(window.lstColor->item(3)->icon().isNull());
    EXPECT_EQ(window.lstColor->item(3)->text(), "-00000001");

    // A second fill replaces everything, typed values included.
    select(window, 1);
    window.txtReplace->setText("12");
    window.setColors({"00000001"});
    EXPECT_EQ(window.colorKeys(), QStringList({"00000001"}));
    EXPECT_EQ(window.replacements(), QStringList({"0"}));

    window.clearLists();
    EXPECT_TRUE(window.colorKeys().isEmpty());
    EXPECT_TRUE(window.replacements().isEmpty());
}

TEST(ColorList, SwatchShowsTheSelectedColor)
{
    struct Case { int row; QColor color; };
    const Case cases[] = {{0, QColor(255, 255, 255)}, {1, QColor(255, 0, 0)},
                          {2, QColor(0, 0, 255)}, {4, QColor(0, 255, 0)}};
    frmColorList window;
    window.setColors(Keys);
    for (const Case &c : cases) {
        select(window, c.row);
        const QBrush brush = window.lblColor->palette().brush(QPalette::Window);
        EXPECT_EQ(brush.style(), Qt::SolidPattern) << c.row;
        EXPECT_EQ(brush.color(), c.color) << c.row;
        EXPECT_NE(window.lblColor->toolTip(), "no colour");
    }
    // No pixel: no colour is claimed.
    select(window, 3);
    EXPECT_NE(window.lblColor->palette().brush(QPalette::Window).style(), Qt::SolidPattern);
    EXPECT_EQ(window.lblColor->toolTip(), "no colour");
    EXPECT_EQ(window.lblColor->accessibleDescription(), "no colour");
}

TEST(ColorList, EditsAreStoredAtTheSelectedIndexOnly)
{
    frmColorList window;
    window.setColors(Keys);

    select(window, 2);
    EXPECT_EQ(window.txtReplace->text(), "0");
    window.txtReplace->setText("7");
    EXPECT_EQ(window.replacements(), QStringList({"0", "0", "7", "0", "0"}));

    select(window, 0);
    EXPECT_EQ(window.txtReplace->text(), "0");
    window.txtReplace->clear();
    window.txtReplace->setFocus();
    QTest::keyClicks(window.txtReplace, "300");
    select(window, 2);
    EXPECT_EQ(window.txtReplace->text(), "7");
    select(window, 0);
    EXPECT_EQ(window.txtReplace->text(), "300");

    // Erasing every digit stores an empty text.
    window.txtReplace->selectAll();
    QTest::keyClick(window.txtReplace, Qt::Key_Backspace);
    EXPECT_EQ(window.replacements(), QStringList({"", "0", "7", "0", "0"}));
}

TEST(ColorList, OnlyDigitsReachTheReplacementList)
{
    frmColorList window;
    window.setColors(Keys);
    select(window, 1);
    window.txtReplace->clear();

    QTest::keyClicks(window.txtReplace, "1a2-b 3");
    EXPECT_EQ(window.txtReplace->text(), "123");
    EXPECT_EQ(window.replacements().at(1), "123");

    // Pasting and inserting go through the same filter.
    QApplication::clipboard()->setText("x9");
    window.txtReplace->end(false);
    window.txtReplace->paste();
    window.txtReplace->insert("-5");
    window.txtReplace->insert("4e2");
    EXPECT_EQ(window.txtReplace->text(), "123");
    EXPECT_EQ(window.replacements().at(1), "123");

    QApplication::clipboard()->setText("45");
    window.txtReplace->paste();
    EXPECT_EQ(window.replacements().at(1), "12345");
}

TEST(ColorList, TypingWithoutSelectionChangesNothing)
{
    frmColorList window;
    window.setColors(Keys);
    QTest::keyClicks(window.txtReplace, "42");
    EXPECT_EQ(window.replacements(), QStringList(Keys.size(), "0"));

    // After a selection, a new fill leaves nothing selected again.
    select(window, 0);
    window.setColors(Keys);
    QTest::keyClicks(window.txtReplace, "9");
    EXPECT_EQ(window.replacements(), QStringList(Keys.size(), "0"));
}

TEST(ColorList, WorksFromTheKeyboard)
{
    frmColorList window;
    window.setColors(Keys);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    window.lstColor->setFocus();
    QTest::keyClick(window.lstColor, Qt::Key_Down);
    QTest::keyClick(window.lstColor, Qt::Key_Down);
    const int row = window.lstColor->currentRow();
    ASSERT_GE(row, 0);
    EXPECT_TRUE(window.lstColor->currentItem()->isSelected());
    EXPECT_EQ(window.lblColor->palette().brush(QPalette::Window).color(),
              window.lstColor->currentItem()->data(Qt::DecorationRole).value<QColor>());

    QTest::keyClick(window.lstColor, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.txtReplace);
    QTest::keyClicks(QApplication::focusWidget(), "5");
    EXPECT_EQ(window.replacements().at(row), "5"); // Tab selects the field's text
}
