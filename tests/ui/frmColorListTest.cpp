// The colour list window: the model's rows, the swatches, the selected colour's swatch and
// the replacement field.
#include "ui/ColorListModel.h"
#include "ui/frmColorList.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QStringList Keys{"16777215", "00000255", "16711680", "-00000001", "00065280"};
const QList<qint32> Values{16777215, 255, 16711680, -1, 65280};
const QList<int> Pixels{1, 1234, 0, 56789, 1000000};

void select(frmColorList &window, int row)
{
    window.lstColor->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

} // namespace

TEST(ColorList, FillsTheModelFromColorsAndCounts)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    EXPECT_EQ(window.colorKeys(), Keys);
    EXPECT_EQ(window.colorValues(), Values);
    EXPECT_EQ(window.model()->pixelCounts(), Pixels);
    EXPECT_EQ(window.replacements(), QStringList(Keys.size(), "0"));
    ASSERT_EQ(window.model()->rowCount(), Keys.size());

    // Each row shows its key first, then #RRGGBB and the pixel count; the model carries the
    // colour for any view, none for "no pixel".
    const ColorListModel &model = *window.model();
    const QStringList texts{"16777215  #FFFFFF  1 px", "00000255  #FF0000  1 234 px",
                            "16711680  #0000FF  0 px", "-00000001  no pixel  56 789 px",
                            "00065280  #00FF00  1 000 000 px"};
    const QList<QColor> decorations{Qt::white, QColor(255, 0, 0), QColor(0, 0, 255), QColor(),
                                    QColor(0, 255, 0)};
    for (int row = 0; row < Keys.size(); ++row) {
        const QModelIndex index = model.index(row);
        EXPECT_EQ(index.data().toString(), texts.at(row)) << row;
        EXPECT_EQ(index.data().toString().section(' ', 0, 0), Keys.at(row)) << row;
        EXPECT_EQ(index.data(Qt::DecorationRole).value<QColor>(), decorations.at(row)) << row;
        EXPECT_EQ(index.data(ColorListModel::ColorRole).toInt(), Values.at(row)) << row;
    }
    // Keys alone: counts unknown, so none is shown.
    window.setColors(QStringList{"00000255", "-00000001", "not a key"});
    EXPECT_EQ(window.colorValues(), QList<qint32>({255, -1, -1}));
    EXPECT_EQ(model.index(0).data().toString(), "00000255  #FF0000");

    // A second fill replaces everything, typed values included.
    window.setColors(Values, Pixels);
    window.selectColor(1);
    window.txtReplace->setText("12");
    window.setColors({1}, {4});
    EXPECT_EQ(window.colorKeys(), QStringList({"00000001"}));
    EXPECT_EQ(window.replacements(), QStringList({"0"}));
    EXPECT_EQ(window.selectedIndex(), -1);

    window.clearLists();
    EXPECT_TRUE(window.colorKeys().isEmpty());
    EXPECT_TRUE(window.replacements().isEmpty());
}

TEST(ColorList, DescribesEachColorInWords)
{
    struct Case { qint32 color; int pixels; QString replacement; QString description; };
    const Case cases[] = {
        {255, 1, "7", "Colour 00000255: red 255, green 0, blue 0 (#FF0000), 1 pixel, tile value 7"},
        {0x0302FF, 1234, "0", "Colour 00197375: red 255, green 2, blue 3 (#FF0203), 1 234 pixels, tile value 0"},
        {-1, 0, "", "Colour -00000001: no picture pixel, 0 pixels, tile value none"},
        {0, -1, "32767", "Colour 00000000: red 0, green 0, blue 0 (#000000), tile value 32767"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ColorListModel::rowDescription(c.color, c.pixels, c.replacement), c.description);

    // Tips and screen readers get the same words, and follow the value typed.
    frmColorList window;
    window.setColors({255}, {1});
    window.selectColor(0);
    window.txtReplace->setText("7");
    const QModelIndex row = window.model()->index(0);
    EXPECT_EQ(row.data(Qt::ToolTipRole).toString(), cases[0].description);
    EXPECT_EQ(row.data(Qt::AccessibleTextRole).toString(), cases[0].description);
}

TEST(ColorList, GroupsDigitsByThrees)
{
    const std::pair<int, const char *> cases[] = {
        {0, "0"}, {999, "999"}, {1000, "1 000"}, {65536, "65 536"}, {1234567, "1 234 567"},
        {-1000, "-1 000"}, {-100, "-100"}};
    for (const auto &[count, text] : cases)
        EXPECT_EQ(ColorListModel::groupedDigits(count), text) << count;
}

TEST(ColorList, EverySwatchHasADarkBorderAroundItsColor)
{
    frmColorList window;
    // White on the white list, black, and "no pixel" (a hatch).
    window.setColors({0xFFFFFF, 0, -1}, {1, 1, 1});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.lstColor->viewport()->grab().toImage();
    const QColor border(64, 64, 64);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const QRect rect = window.lstColor->visualRect(window.model()->index(row));
        // The swatch: the border's bounding box within the row's left part.
        QRect frame;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x < rect.left() + 40; ++x)
                if (QColor(shown.pixel(x * shown.width() / window.lstColor->viewport()->width(),
                                       y * shown.height() / window.lstColor->viewport()->height()))
                    == border)
                    frame |= QRect(x, y, 1, 1);
        ASSERT_FALSE(frame.isEmpty());
        EXPECT_GE(frame.width(), 8);
        EXPECT_EQ(frame.width(), frame.height());
        const auto at = [&](QPoint p) {
            return QColor(shown.pixel(p.x() * shown.width() / window.lstColor->viewport()->width(),
                                      p.y() * shown.height() / window.lstColor->viewport()->height()));
        };
        // The frame is closed: every edge pixel is the border.
        for (int i = 0; i < frame.width(); ++i) {
            EXPECT_EQ(at({frame.left() + i, frame.top()}), border);
            EXPECT_EQ(at({frame.left() + i, frame.bottom()}), border);
            EXPECT_EQ(at({frame.left(), frame.top() + i}), border);
            EXPECT_EQ(at({frame.right(), frame.top() + i}), border);
        }
        QSet<QRgb> inside;
        for (int y = frame.top() + 1; y < frame.bottom(); ++y)
            for (int x = frame.left() + 1; x < frame.right(); ++x)
                inside.insert(at({x, y}).rgb());
        if (row == 0)
            EXPECT_EQ(inside, QSet<QRgb>({qRgb(255, 255, 255)}));
        else if (row == 1)
            EXPECT_EQ(inside, QSet<QRgb>({qRgb(0, 0, 0)}));
        else
            EXPECT_EQ(inside, QSet<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    }
}

TEST(ColorList, ReplacementsSetByIndexReachTheFieldWhenSelected)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    window.setTileImages([](quint16) { return QImage(32, 32, QImage::Format_RGB32); }, QString());
    window.selectColor(2);
    ASSERT_EQ(window.selectedIndex(), 2);

    struct Case { int index; QString text; bool ok; QStringList replacements; QString field; };
    const Case cases[] = {
        {2, "44", true, {"0", "0", "44", "0", "0"}, "44"},  // selected: the field follows
        {4, "9", true, {"0", "0", "44", "0", "9"}, "44"},   // another colour: the field stays
        {5, "1", false, {"0", "0", "44", "0", "9"}, "44"},  // out of range: nothing changes
        {-1, "1", false, {"0", "0", "44", "0", "9"}, "44"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(window.setReplacement(c.index, c.text), c.ok) << c.index;
        EXPECT_EQ(window.replacements(), c.replacements) << c.index;
        EXPECT_EQ(window.txtReplace->text(), c.field) << c.index;
    }
    EXPECT_EQ(window.lblTileNote->text(), "Tile 44");

    // All at once: only with one text per colour.
    EXPECT_FALSE(window.setReplacements({"1", "2"}));
    EXPECT_EQ(window.replacements(), cases[3].replacements);
    EXPECT_TRUE(window.setReplacements({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(window.replacements(), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(window.txtReplace->text(), "3");
    EXPECT_EQ(window.lblTileNote->text(), "Tile 3");
    EXPECT_EQ(window.selectedIndex(), 2);

    window.selectColor(-1);
    EXPECT_EQ(window.selectedIndex(), -1);
}

TEST(ColorList, SwatchShowsTheSelectedColor)
{
    struct Case { int row; QColor color; };
    const Case cases[] = {{0, QColor(255, 255, 255)}, {1, QColor(255, 0, 0)},
                          {2, QColor(0, 0, 255)}, {4, QColor(0, 255, 0)}};
    frmColorList window;
    window.setColors(Values, Pixels);
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
    window.setColors(Values, Pixels);

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
    window.setColors(Values, Pixels);
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
    window.setColors(Values, Pixels);
    QTest::keyClicks(window.txtReplace, "42");
    EXPECT_EQ(window.replacements(), QStringList(Keys.size(), "0"));

    // After a selection, a new fill leaves nothing selected again.
    select(window, 0);
    window.setColors(Values, Pixels);
    QTest::keyClicks(window.txtReplace, "9");
    EXPECT_EQ(window.replacements(), QStringList(Keys.size(), "0"));
}

TEST(ColorList, WorksFromTheKeyboard)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    window.lstColor->setFocus();
    QTest::keyClick(window.lstColor, Qt::Key_Down);
    QTest::keyClick(window.lstColor, Qt::Key_Down);
    const int row = window.lstColor->currentRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(window.selectedIndex(), row);
    EXPECT_EQ(window.lblColor->palette().brush(QPalette::Window).color(),
              window.lstColor->currentIndex().data(Qt::DecorationRole).value<QColor>());

    QTest::keyClick(window.lstColor, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.txtReplace);
    QTest::keyClicks(QApplication::focusWidget(), "5");
    EXPECT_EQ(window.replacements().at(row), "5"); // Tab selects the field's text
}
