// The colour list with the tile palette and Match Colours, in the real main window with a
// synthetic tileset as the game data: a tile chosen from the keyboard, matching (all groups
// and ticked ones) against a slow reference, and the converted terrain bytes.
#include "MainWindowFixture.h"

#include "ui/TilePaletteModel.h"
#include "ui/frmTilePalette.h"
#include "ui/frmTileset.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QtEndian>

using testsupport::SyntheticTileset;

namespace {

class MatchColorsTest : public MainWindowTest
{
public:
    SyntheticTileset tiles = SyntheticTileset::make(12);

    /// A 64 x 64 map and a 60 x 50 picture of 3000 colours; the uncovered tiles are
    /// the last colour (no pixel).
    QImage loadMapAndPicture()
    {
        loadMap(mapFile("Match.scm", testsupport::scenario(64, 64, 4)));
        QImage image(60, 50, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 4, y * 5, (x * 7 + y * 3) % 256));
        const QString path = folder.file("gradient.png");
        EXPECT_TRUE(image.save(path));
        dialogs.fileAnswers.push_back(path);
        window->pictureWindow()->btnLoad_Click();
        return image;
    }

    /// Terrain value at (x, y) of section `name` in the working scenario.
    quint16 terrainAt(const QByteArray &chk, const char *name, int x, int y) const
    {
        const qsizetype data = chk.indexOf(name) + 8;
        return qFromLittleEndian<quint16>(chk.constData() + data + 2 * (y * 64 + x));
    }

    static qint32 keyOf(QRgb c) { return qRed(c) | qGreen(c) << 8 | qBlue(c) << 16; }
};

TEST_F(MatchColorsTest, ATileChosenInThePaletteByKeyboardBecomesTheColoursValue)
{
    startWithGameData(tiles);
    loadMap(mapFile("Pick.scm", testsupport::scenario(64, 64, 4)));
    loadPicture(64, 64);
    frmColorList *list = window->existingColorList();
    typeValue(0, "7");

    // Enter on a colour opens the palette at the first tile (value 7's group is unused).
    list->selectColor(1);
    list->lstColor->setFocus();
    QTest::keyClick(list->lstColor, Qt::Key_Return);
    frmTilePalette *palette = window->tilePalette();
    ASSERT_NE(palette, nullptr);
    ASSERT_TRUE(window->tilePaletteWindow()->isVisible());
    EXPECT_TRUE(palette->tblTiles->hasFocus());
    EXPECT_EQ(palette->lblCurrent->text(), "Tile 16");
    // Down a group (2), right two entries: tile 34. Enter chooses it and closes.
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Return})
        QTest::keyClick(palette->tblTiles, key);
    EXPECT_FALSE(window->tilePaletteWindow()->isVisible());
    EXPECT_EQ(list->lstReplace(), QStringList({"7", "34"}));
    EXPECT_EQ(list->txtReplace->text(), "34");

    // The button opens it again at the colour's tile; Escape leaves the value alone.
    list->btnPickTile->click();
    ASSERT_EQ(window->tilePalette(), palette) << "the same palette, ticks and all";
    EXPECT_EQ(palette->lblCurrent->text(), "Tile 34");
    QTest::keyClick(palette->tblTiles, Qt::Key_Left);
    QTest::keyClick(palette->tblTiles, Qt::Key_Escape);
    EXPECT_FALSE(window->tilePaletteWindow()->isVisible());
    EXPECT_EQ(list->lstReplace(), QStringList({"7", "34"}));

    // The typed box works as before.
    typeValue(1, "1200");
    EXPECT_EQ(list->lstReplace(), QStringList({"7", "1200"}));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // Another tileset takes the old one's palette away; the next one shows the new tiles.
    window->mnuTileset->trigger();
    auto *tileset = qobject_cast<frmTileset *>(window->tilesetWindow()->widget());
    ASSERT_NE(tileset, nullptr);
    tileset->cmbTileset->setCurrentText("Ice");
    tileset->btnApply->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the dialog goes
    EXPECT_EQ(window->tilePalette(), nullptr);
    list->btnPickTile->click();
    ASSERT_NE(window->tilePalette(), nullptr);
    EXPECT_EQ(window->tilePalette()->windowTitle(), "Tile Palette - ice");
}

TEST_F(MatchColorsTest, WithoutGameDataThePaletteAndMatchingSayWhereToSetIt)
{
    start();
    qunsetenv("VELMORA_GAME_DATA");
    loadMap(mapFile("Bare.scm", testsupport::scenario(64, 64)));
    loadPicture(64, 64);
    frmColorList *list = window->existingColorList();
    typeValue(1, "9");
    list->btnPickTile->click();
    list->btnMatch->click();
    EXPECT_EQ(window->tilePalette(), nullptr);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].title, "Tile Palette");
    EXPECT_EQ(dialogs.messages()[1].title, "Match Colours");
    for (const auto &message : dialogs.messages())
        EXPECT_TRUE(message.text.contains("Preferences")) << message.text.toStdString();
    EXPECT_EQ(list->lstReplace(), QStringList({"0", "9"}));
}

TEST_F(MatchColorsTest, MatchingThenConvertWritesTheNearestTiles)
{
    startWithGameData(tiles);
    const QImage image = loadMapAndPicture();
    frmColorList *list = window->existingColorList();
    const QList<qint32> colors = list->colorValues();
    ASSERT_EQ(colors.size(), 60 * 50 + 1);
    ASSERT_EQ(colors.last(), -1);
    list->setReplacement(int(colors.size() - 1), "5"); // no pixel: no match, kept

    // Every terrain group first, then only the groups ticked in the palette.
    const auto all = tiles.referenceCandidates();
    const QSet<int> ticked{3, 10};
    const auto some = tiles.referenceCandidates({}, ticked);
    for (const auto *candidates : {&all, &some}) {
        if (candidates == &some) {
            list->selectColor(0);
            list->btnPickTile->click();
            ASSERT_NE(window->tilePalette(), nullptr);
            TilePaletteModel *model = window->tilePalette()->model();
            for (int row = 0; row < model->rowCount(); ++row)
                if (ticked.contains(model->groupAt(row)))
                    model->setData(model->index(row, 0), Qt::Checked, Qt::CheckStateRole);
            window->tilePalette()->btnClose->click();
        }
        statuses.clear();
        list->btnMatch->click();
        EXPECT_EQ(statuses.last(), QString("Colours matched: 3000 of 3001."));
        const QStringList values = list->lstReplace();
        int wrong = 0;
        for (qsizetype i = 0; i + 1 < colors.size(); ++i) {
            const auto expected = SyntheticTileset::referenceNearest(*candidates, colors[i]);
            wrong += values[i] != QString::number(expected.value_or(60000)) ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(values.last(), "5");
    }

    window->mnuConvert->trigger();
    ASSERT_EQ(window->statusText(), "Conversion successful!");
    const QByteArray chk = testsupport::readFile(folder.workFile("scenario.chk"));
    int wrong = 0, outside = 0;
    for (const char *name : {"TILE", "MTXM"})
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool covered = x < image.width() && y < image.height();
                const quint16 expected = covered
                    ? *SyntheticTileset::referenceNearest(some, keyOf(image.pixel(x, y)))
                    : 5;
                wrong += terrainAt(chk, name, x, y) != expected ? 1 : 0;
                outside += covered && !ticked.contains(terrainAt(chk, name, x, y) >> 4) ? 1 : 0;
            }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(outside, 0);
}

} // namespace
