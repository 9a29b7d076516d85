// The tile palette: which groups it shows and what each cell says, the group ticks, and
// the palette worked from the keyboard and the mouse wheel, over a synthetic tileset.
#include "ui/frmTilePalette.h"

#include "SyntheticTileset.h"
#include "core/qtimage/QtImage.h"
#include "core/tileset/TileGraphics.h"
#include "ui/TilePaletteModel.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

using testsupport::SyntheticTileset;

namespace {

/// Seven groups: 0 and 4 unused, 1 and 5 doodads, the rest terrain.
std::shared_ptr<const terrain::TileGraphics> graphicsWithTypes(const std::vector<quint16> &types)
{
    const SyntheticTileset tiles = SyntheticTileset::make(int(types.size()));
    QByteArray cv5 = tiles.cv5();
    for (size_t g = 0; g < types.size(); ++g)
        qToLittleEndian<quint16>(types[g], cv5.data() + g * terrain::TileGraphics::GroupBytes);
    auto graphics = std::make_shared<terrain::TileGraphics>();
    const Status made = terrain::TileGraphics::create(
        {cv5, tiles.vx4(), false, tiles.vr4(), tiles.wpe(), "jungle", "/games"}, graphics.get());
    EXPECT_TRUE(made.ok()) << made.reason().toStdString();
    return graphics;
}

const std::vector<quint16> Types{0, 1, 2, 9, 0, 1, 3};

} // namespace

TEST(TilePalette, ShowsUsedGroupsWithTheirTilesAndTicksOnlyTerrain)
{
    const auto graphics = graphicsWithTypes(Types);
    TilePaletteModel model(graphics);
    struct Row { int group; bool checkable; };
    const Row rows[] = {{1, false}, {2, true}, {3, true}, {5, false}, {6, true}};
    ASSERT_EQ(model.rowCount(), int(std::size(rows)));
    ASSERT_EQ(model.columnCount(), 17);
    for (int r = 0; r < model.rowCount(); ++r) {
        const QModelIndex group = model.index(r, TilePaletteModel::GroupColumn);
        EXPECT_EQ(model.groupAt(r), rows[r].group);
        EXPECT_EQ(group.data().toString(), QString("Group %1").arg(rows[r].group));
        EXPECT_EQ(group.data(Qt::AccessibleTextRole), group.data());
        EXPECT_EQ(bool(model.flags(group) & Qt::ItemIsUserCheckable), rows[r].checkable) << r;
        EXPECT_EQ(group.data(Qt::CheckStateRole).isValid(), rows[r].checkable) << r;
        for (int entry = 0; entry < 16; ++entry) {
            const QModelIndex cell = model.index(r, 1 + entry);
            const auto value = quint16(rows[r].group << 4 | entry);
            EXPECT_EQ(model.valueAt(cell), value);
            EXPECT_EQ(model.indexOf(value), cell);
            EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), QString("Tile %1").arg(value));
            EXPECT_EQ(cell.data(Qt::AccessibleTextRole).toString(), QString("Tile %1").arg(value));
            EXPECT_FALSE(model.flags(cell) & Qt::ItemIsUserCheckable);
        }
    }
    EXPECT_EQ(model.valueAt(model.index(0, 0)), std::nullopt);
    EXPECT_FALSE(model.indexOf(4 << 4 | 2).isValid()); // an unused group is not shown
    EXPECT_FALSE(model.indexOf(7 << 4).isValid());     // nor one past the tileset
    // The cell shows the tileset's own drawing of the tile.
    EXPECT_EQ(qtimage::fromImage(model.index(2, 4).data(Qt::DecorationRole).value<QImage>()),
              graphics->tile(0x33));

    // Ticks: doodad groups refuse them; a programmatic set keeps only terrain groups shown.
    QSignalSpy changed(&model, &TilePaletteModel::checkedGroupsChanged);
    EXPECT_FALSE(model.setData(model.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(2, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(4, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model.setData(model.index(2, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(model.checkedGroups(), QSet<int>({6}));
    EXPECT_EQ(changed.count(), 3);
    model.setCheckedGroups({0, 1, 2, 4, 6, 40});
    EXPECT_EQ(model.checkedGroups(), QSet<int>({2, 6}));
}

TEST(TilePalette, KeyboardMovesZoomsTicksChoosesAndCloses)
{
    frmTilePalette palette(graphicsWithTypes(Types));
    palette.show();
    QSignalSpy chosen(&palette, &frmTilePalette::tileChosen);
    QTableView *table = palette.tblTiles;
    table->setFocus();
    EXPECT_EQ(palette.lblCurrent->text(), "Tile 16"); // group 1, entry 0

    // Through the accessibility layer, as a screen reader asks.
    QAccessibleInterface *access = QAccessible::queryAccessibleInterface(table);
    ASSERT_NE(access, nullptr);
    ASSERT_NE(access->tableInterface(), nullptr);
    EXPECT_EQ(access->tableInterface()->cellAt(1, 3)->text(QAccessible::Name), "Tile 34");
    EXPECT_EQ(access->tableInterface()->cellAt(4, 0)->text(QAccessible::Name), "Group 6");

    // Down twice and right three times: group 3, entry 3. Tab and Enter then choose it.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
        QTest::keyClick(table, key);
    EXPECT_EQ(palette.lblCurrent->text(), "Tile 51");
    EXPECT_TRUE(palette.btnChoose->isEnabled());

    // Zoom keys and Ctrl+wheel step through the levels and stop at the ends.
    EXPECT_EQ(palette.zoom(), 24);
    QTest::keyClick(table, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(palette.zoom(), 32);
    EXPECT_EQ(table->columnWidth(5), 34);
    EXPECT_EQ(table->rowHeight(3), 34);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(table, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(palette.zoom(), 12);
    EXPECT_EQ(palette.cboZoom->currentData().toInt(), 12);
    const QPoint inside = table->viewport()->rect().center();
    QWheelEvent wheel(inside, table->viewport()->mapToGlobal(inside), {}, {0, 120}, Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    for (int i = 0; i < 8; ++i)
        QApplication::sendEvent(table->viewport(), &wheel);
    EXPECT_EQ(palette.zoom(), 64);

    // Home goes to the group cell: Space ticks it, Choose has nothing to choose.
    QTest::keyClick(table, Qt::Key_Home);
    EXPECT_FALSE(palette.btnChoose->isEnabled());
    QTest::keyClick(table, Qt::Key_Space);
    EXPECT_EQ(palette.model()->checkedGroups(), QSet<int>({3}));
    EXPECT_EQ(palette.lblTicked->text(), "Matching uses the ticked group only.");
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_TRUE(palette.isVisible());

    QTest::keyClick(table, Qt::Key_End);
    QTest::keyClick(table, Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<quint16>(), 3 << 4 | 15);
    EXPECT_FALSE(palette.isVisible()); // choosing closes

    palette.show();
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_FALSE(palette.isVisible());
    EXPECT_EQ(chosen.count(), 1);
}

TEST(TilePalette, DoubleClickChoosesATileButNotAGroup)
{
    frmTilePalette palette(graphicsWithTypes(Types));
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    QSignalSpy chosen(&palette, &frmTilePalette::tileChosen);
    QTableView *table = palette.tblTiles;
    QSignalSpy doubleClicked(table, &QTableView::doubleClicked);
    const QRect group = table->visualRect(palette.model()->index(1, 0));
    // A click first, as a real double click starts with one.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, group.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, group.center());
    EXPECT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(chosen.count(), 0);
    palette.selectTile(6 << 4 | 9);
    const QRect tile = table->visualRect(table->currentIndex());
    ASSERT_TRUE(table->viewport()->rect().contains(tile));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, tile.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, tile.center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<quint16>(), 6 << 4 | 9);
}
