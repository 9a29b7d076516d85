// The terrain preview, the colour list's tiles and what both say without game data, in
// the real main window with a synthetic tileset as the game data.
#include "MainWindowFixture.h"

#include "SyntheticTileset.h"
#include "core/tileset/TileMap.h"
#include "ui/TerrainView.h"
#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "ui/frmTerrainPreview.h"
#include "ui/frmTileset.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QtEndian>

#include <functional>
#include <iostream>
#include <optional>

#include <sys/stat.h>

using testsupport::SyntheticTileset;

namespace {

constexpr quint8 Jungle = 4;
constexpr quint8 Ice = 6;

class TerrainPreviewTest : public MainWindowTest
{
public:
    SyntheticTileset jungle = SyntheticTileset::make(6);
    SyntheticTileset ice = SyntheticTileset::make(6);

    TerrainPreviewTest()
    {
        qunsetenv("VELMORA_GAME_DATA");
        // Ice draws every colour darker, so the two cannot be mistaken.
        for (QRgb &c : ice.palette)
            c = qRgb(qRed(c) / 2, qGreen(c) / 2, qBlue(c) / 2);
    }

    QString gameData() const { return folder.file("game"); }

    /// Starts the window with the synthetic game data (or `gameDataSetting`) set.
    void startWithGameData(const QString &gameDataSetting)
    {
        jungle.writeFolder(gameData() + "/tileset", "jungle");
        ice.writeFolder(gameData() + "/tileset", "ice");
        writeConfig("[Settings]\r\nLoadDialog=0\r\nGameData=" + gameDataSetting.toLatin1() + "\r\n");
        create();
        ASSERT_TRUE(window->MDIForm_Load());
    }

    /// A 64 x 64 jungle map whose terrain mixes present values with one (0x7F0) outside
    /// the tileset.
    QString terrainMap()
    {
        QByteArray bytes = testsupport::scenario(64, 64, Jungle);
        const qsizetype mtxm = bytes.indexOf("MTXM") + 8;
        for (int i = 0; i < 64 * 64; ++i)
            qToLittleEndian<quint16>(quint16(i % 61 == 0 ? 0x7F0 : (i * 7) % 96),
                                     bytes.data() + mtxm + 2 * i);
        return mapFile("Terrain.scm", bytes);
    }

    /// Loads a 64 x 64 picture of the one colour `color`; the colour list it fills, with
    /// that colour selected.
    frmColorList *loadFlatPicture(QRgb color)
    {
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(folder.file("flat.bmp")));
        dialogs.fileAnswers.push_back(folder.file("flat.bmp"));
        window->pictureWindow()->btnLoad_Click();
        frmColorList *list = window->existingColorList();
        if (list)
            list->lstColor->setCurrentRow(0);
        return list;
    }

    frmTerrainPreview *openPreview()
    {
        window->mnuTerrainPreview->trigger();
        frmTerrainPreview *preview = window->terrainPreview();
        EXPECT_NE(preview, nullptr);
        window->resize(1000, 800);
        if (preview) {
            window->terrainPreviewWindow()->resize(560, 520);
            QCoreApplication::processEvents();
        }
        return preview;
    }

    /// Counts viewport pixels that differ from the slow reference of `tileset`.
    static int wrongPixels(frmTerrainPreview *preview, const SyntheticTileset &tileset)
    {
        TerrainView *view = preview->picTerrain;
        return wrongPixels(preview, [&](QPoint tile, QPoint inTile) -> std::optional<QRgb> {
            bool present = true;
            const QRgb expected = tileset.pixel(view->tileMap().at(tile.x(), tile.y()), inTile.x(),
                                                inTile.y(), &present);
            return present ? std::optional(expected) : std::nullopt;
        });
    }

    /// Counts viewport pixels over the map that differ from `expected` of their tile and their
    /// place in it (nullopt: any colour is right).
    static int wrongPixels(frmTerrainPreview *preview,
                           const std::function<std::optional<QRgb>(QPoint tile, QPoint inTile)> &expected)
    {
        QCoreApplication::processEvents(); // the window's layout settles
        TerrainView *view = preview->picTerrain;
        const QImage shown = view->viewport()->grab().toImage();
        int wrong = 0, compared = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QPoint tile = view->tileAt({x, y});
                if (tile.x() < 0)
                    continue;
                const int size = view->tileSize();
                const QPoint inTile(x + view->horizontalScrollBar()->value() - tile.x() * size,
                                    y + view->verticalScrollBar()->value() - tile.y() * size);
                const std::optional<QRgb> right = expected(tile, inTile);
                ++compared;
                if (right && shown.pixel(x, y) != *right)
                    ++wrong;
            }
        EXPECT_GT(compared, 300 * 250) << view->viewport()->width() << "x" << view->viewport()->height() << " preview " << preview->width() << "x" << preview->height();
        return wrong;
    }
};

TEST_F(TerrainPreviewTest, ShowsTheWorkingTerrainTileForTileAndFollowsConvertAndTileset)
{
    startWithGameData(gameData());
    frmTerrainPreview *preview = openPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->lblUnavailable->isVisibleTo(preview));
    EXPECT_FALSE(preview->btnExport->isEnabled());

    loadMap(terrainMap());
    ASSERT_FALSE(preview->lblUnavailable->isVisibleTo(preview)) << preview->lblUnavailable->text().toStdString();
    EXPECT_EQ(preview->picTerrain->missingTiles(), (64 * 64 + 60) / 61);
    EXPECT_TRUE(preview->staTerrain->text().endsWith("not in the tileset (drawn magenta and black): 68"))
        << preview->staTerrain->text().toStdString();

    preview->picTerrain->setZoom(32);
    EXPECT_EQ(wrongPixels(preview, jungle), 0);
    // Scrolled: what is drawn is still the part in sight.
    preview->picTerrain->horizontalScrollBar()->setValue(1000);
    preview->picTerrain->verticalScrollBar()->setValue(777);
    EXPECT_EQ(wrongPixels(preview, jungle), 0);

    // The tile under the mouse, in the window's own status line.
    const QPoint over = QPoint(5 * 32 + 3, 2 * 32 + 30)
        - QPoint(1000 % 32, 777 % 32);
    QTest::mouseMove(preview->picTerrain->viewport(), over);
    const QPoint tile = preview->picTerrain->tileAt(over);
    EXPECT_EQ(preview->staTerrain->text(),
              QString("Tile (%1, %2): value %3")
                  .arg(tile.x())
                  .arg(tile.y())
                  .arg(preview->picTerrain->tileMap().at(tile.x(), tile.y())));

    // A conversion shows at once: every tile becomes the colour's value.
    frmColorList *list = loadFlatPicture(qRgb(9, 9, 9));
    ASSERT_NE(list, nullptr);
    list->txtReplace->setText("37");
    window->mnuConvert->trigger();
    EXPECT_EQ(preview->picTerrain->tileMap().values, QList<quint16>(64 * 64, 37));
    EXPECT_EQ(wrongPixels(preview, jungle), 0);

    // Another tileset shows once its window is applied.
    window->mnuTileset->trigger();
    auto *tileset = qobject_cast<frmTileset *>(window->tilesetWindow()->widget());
    tileset->cmbTileset->setCurrentText("Ice");
    tileset->btnApply->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(preview->picTerrain->tileMap().tileset, Ice);
    EXPECT_EQ(wrongPixels(preview, ice), 0);
}

TEST_F(TerrainPreviewTest, ZoomStepsByKeysWheelAndList)
{
    startWithGameData(gameData());
    loadMap(terrainMap());
    frmTerrainPreview *preview = openPreview();
    ASSERT_NE(preview, nullptr);
    TerrainView *view = preview->picTerrain;
    // 64 tiles in about 450 pixels: fitting gives 5 to 7 pixels per tile.
    const int fit = view->tileSize();
    ASSERT_GT(fit, 4);
    ASSERT_LT(fit, 8);
    struct Step
    {
        const char *how;
        int expected;
    };
    const auto press = [&](int key) { QTest::keyClick(view, Qt::Key(key)); };
    const auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent event(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view->viewport(), &event);
    };
    const auto choose = [&](int index) {
        preview->cboZoom->setCurrentIndex(index);
        emit preview->cboZoom->activated(index);
    };
    const std::vector<std::pair<std::function<void()>, Step>> steps{
        {[&] { press(Qt::Key_Plus); }, {"+ from fit", 8}},
        {[&] { press(Qt::Key_Plus); }, {"+", 16}},
        {[&] { wheel(120, Qt::ControlModifier); }, {"Ctrl+wheel up", 32}},
        {[&] { press(Qt::Key_Plus); }, {"+ at the top", 32}},
        {[&] { wheel(120, Qt::NoModifier); }, {"wheel alone scrolls", 32}},
        {[&] { wheel(-120, Qt::ControlModifier); }, {"Ctrl+wheel down", 16}},
        {[&] { press(Qt::Key_Minus); }, {"-", 8}},
        {[&] { press(Qt::Key_Minus); }, {"- to 1:8", 4}},
        {[&] { press(Qt::Key_Minus); }, {"- stops where fitting would be larger", 4}},
        {[&] { choose(0); }, {"list Fit", 0}},
        {[&] { press(Qt::Key_Minus); }, {"- from fit to the next smaller level", 4}},
        {[&] { choose(2); }, {"list 1:4", 8}},
    };
    for (const auto &[act, step] : steps) {
        act();
        EXPECT_EQ(view->zoom(), step.expected) << step.how;
        EXPECT_EQ(preview->cboZoom->currentData().toInt(), step.expected) << step.how;
    }
}

TEST_F(TerrainPreviewTest, ExportWritesTheWholeMapAtTheChosenScale)
{
    startWithGameData(gameData());
    loadMap(terrainMap());
    frmTerrainPreview *preview = openPreview();
    ASSERT_NE(preview, nullptr);
    const terrain::TileMap &map = preview->picTerrain->tileMap();

    const QString full = folder.file("full.png");
    dialogs.fileAnswers.push_back(full);
    preview->btnExport->click();
    const QImage written(full);
    ASSERT_EQ(written.size(), QSize(64 * 32, 64 * 32));
    int wrong = 0;
    for (int y = 0; y < written.height(); ++y)
        for (int x = 0; x < written.width(); ++x) {
            bool present = true;
            const QRgb expected = jungle.pixel(map.at(x / 32, y / 32), x % 32, y % 32, &present);
            wrong += present && written.pixel(x, y) != expected;
        }
    EXPECT_EQ(wrong, 0);

    preview->cboExportScale->setCurrentIndex(preview->cboExportScale->findData(2));
    const QString small = folder.file("small.png");
    dialogs.fileAnswers.push_back(small);
    preview->btnExport->click();
    EXPECT_EQ(QImage(small).size(), QSize(128, 128));

    // A place that cannot be written: a message naming it, no file.
    const QString nowhere = folder.file("missing-folder/terrain.png");
    dialogs.fileAnswers.push_back(nowhere);
    dialogs.asked.clear();
    preview->btnExport->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().at(0).text.contains(QDir::toNativeSeparators(nowhere)));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

// Export PNG follows the rule of every output: never onto what the terrain is read from
// (the map, any file in the game data folder) nor onto a pipe; a full disk is named. Each
// refusal is one message naming the file, and nothing changes.
TEST_F(TerrainPreviewTest, ExportNeverWritesOntoItsSourcesAPipeOrAFullDisk)
{
    startWithGameData(gameData());
    const QString map = terrainMap();
    loadMap(map);
    frmTerrainPreview *preview = openPreview();
    ASSERT_NE(preview, nullptr);
    const QString pipe = folder.file("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder.path()).mkdir("full"));
    testsupport::FullDisk disk(folder.file("full"));
    if (disk.mounted()) {
        testsupport::writeFile(folder.file("full/old.png"), "exported before");
        disk.fill();
    }
    const struct
    {
        const char *what;
        QString target;
        const char *says;
    } cases[] = {
        {"a tileset file", gameData() + "/tileset/jungle.cv5", "game data folder"},
        {"a new file in the game data", gameData() + "/tileset/terrain.png", "game data folder"},
        {"the map", map, "the map the terrain comes from"},
        {"a named pipe", pipe, "named pipe"},
        {"over a file on a full disk", folder.file("full/old.png"), "the disk is full"},
        {"a new file on a full disk", folder.file("full/new.png"), "the disk is full"},
    };
    const auto stateOf = [](const QString &path) {
        const QFileInfo info(path);
        return QString::number(int(info.isFile())) + QString::number(info.size())
            + QString::fromLatin1(info.isFile() ? testsupport::readFile(path).toHex() : QByteArray());
    };
    const QStringList onDisk = disk.mounted() ? disk.names() : QStringList();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (!disk.mounted() && c.target.startsWith(folder.file("full"))) {
            std::cerr << "skipped: " << disk.reason().toStdString() << "\n";
            continue;
        }
        const QString before = stateOf(c.target), tileset = stateOf(gameData() + "/tileset/jungle.cv5");
        dialogs.asked.clear();
        dialogs.fileAnswers.push_back(c.target);
        preview->btnExport->click();
        ASSERT_EQ(dialogs.messages().size(), 1);
        const QString text = dialogs.messages().at(0).text;
        EXPECT_TRUE(text.contains(QFileInfo(c.target).fileName())) << text.toStdString();
        EXPECT_TRUE(text.contains(c.says)) << text.toStdString();
        EXPECT_EQ(stateOf(c.target), before);
        EXPECT_EQ(stateOf(gameData() + "/tileset/jungle.cv5"), tileset);
        if (disk.mounted()) {
            EXPECT_EQ(disk.names(), onDisk);
        }
    }
}

// Export Colours reads the tiles from the same game data: it never writes into it either.
TEST_F(TerrainPreviewTest, ExportColoursNeverWritesIntoTheGameData)
{
    startWithGameData(gameData());
    loadMap(terrainMap());
    frmColorList *list = loadFlatPicture(qRgb(1, 2, 3));
    ASSERT_NE(list, nullptr);
    for (const QString &target : {gameData() + "/tileset/jungle.cv5", gameData() + "/tileset/colours.txt"}) {
        SCOPED_TRACE(target.toStdString());
        const QByteArray before = QFileInfo(target).isFile() ? testsupport::readFile(target) : QByteArray();
        dialogs.asked.clear();
        dialogs.fileAnswers.push_back(target);
        list->btnExport->click();
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().at(0).text.contains("game data folder"))
            << dialogs.messages().at(0).text.toStdString();
        EXPECT_EQ(QFileInfo(target).isFile() ? testsupport::readFile(target) : QByteArray(), before);
    }
    EXPECT_FALSE(QFileInfo::exists(gameData() + "/tileset/colours.txt"));
}

TEST_F(TerrainPreviewTest, TheColourListShowsTheTypedValuesTile)
{
    startWithGameData(gameData());
    loadMap(terrainMap());
    frmColorList *list = loadFlatPicture(qRgb(1, 2, 3));
    ASSERT_NE(list, nullptr);
    for (quint16 value : {0, 17, 95}) {
        list->txtReplace->setText(QString::number(value));
        const QImage tile = list->imgTile->pixmap().toImage();
        ASSERT_EQ(tile.size(), QSize(32, 32)) << value;
        int wrong = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                bool present = true;
                wrong += tile.pixel(x, y) != jungle.pixel(value, x, y, &present);
            }
        EXPECT_EQ(wrong, 0) << value;
        EXPECT_EQ(list->lblTileNote->text(), QString("Tile %1").arg(value));
    }
    for (const char *text : {"40000", ""}) {
        list->txtReplace->setText(text);
        EXPECT_TRUE(list->imgTile->pixmap().isNull()) << text;
        EXPECT_FALSE(list->lblTileNote->text().isEmpty()) << text;
    }
}

// P (or the Picture button) shows the picture window's cells in place of the terrain, each
// a square of its colour at the terrain's zoom, following a new picture; P again the terrain.
TEST_F(TerrainPreviewTest, PictureToggleShowsThePictureCellsAtTheSameZoom)
{
    startWithGameData(gameData());
    loadMap(terrainMap());
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) % 2 ? 40 : 200));
    ASSERT_TRUE(image.save(folder.file("cells.bmp")));
    dialogs.fileAnswers.push_back(folder.file("cells.bmp"));
    window->pictureWindow()->btnLoad_Click();
    frmTerrainPreview *preview = openPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->btnPicture->accessibleName(), "Picture");
    EXPECT_TRUE(preview->btnPicture->focusPolicy() & Qt::TabFocus);
    TerrainView *view = preview->picTerrain;
    view->setZoom(8);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->mdiArea()->setActiveSubWindow(window->terrainPreviewWindow());
    view->setFocus();

    const auto wrongCells = [&](const QImage &picture) {
        return wrongPixels(preview, [&](QPoint tile, QPoint) { return std::optional(picture.pixel(tile)); });
    };
    QTest::keyClick(view, Qt::Key_P);
    ASSERT_TRUE(preview->mnuShowPicture->isChecked());
    EXPECT_EQ(view->tileSize(), 8) << "the terrain's zoom";
    EXPECT_EQ(wrongCells(image), 0);

    // A new picture shows at once.
    image.fill(qRgb(10, 200, 30));
    ASSERT_TRUE(image.save(folder.file("flat.bmp")));
    dialogs.fileAnswers.push_back(folder.file("flat.bmp"));
    window->pictureWindow()->btnLoad_Click();
    EXPECT_EQ(wrongCells(image), 0);

    window->mdiArea()->setActiveSubWindow(window->terrainPreviewWindow());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_P);
    EXPECT_FALSE(preview->mnuShowPicture->isChecked());
    view->setZoom(32); // larger than the view, as wrongPixels measures
    EXPECT_EQ(wrongPixels(preview, jungle), 0) << "the terrain again";
}

TEST_F(TerrainPreviewTest, WithoutUsableGameDataEachFeatureSaysWhyInOneLine)
{
    struct Case
    {
        const char *name;
        std::function<QString(TerrainPreviewTest &)> setting;
        const char *mentions;
    };
    const std::vector<Case> cases{
        {"none set", [](TerrainPreviewTest &) { return QString(); }, "No game data folder"},
        {"missing folder", [](TerrainPreviewTest &t) { return t.folder.file("gone"); }, "gone"},
        {"short minitile file",
         [](TerrainPreviewTest &t) {
             const QString vr4 = t.gameData() + "/tileset/jungle.vr4";
             QFile file(vr4);
             EXPECT_TRUE(file.resize(100));
             return t.gameData();
         },
         "jungle.vr4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        startWithGameData(QString());
        const QString setting = c.setting(*this);
        window.reset();
        writeConfig("[Settings]\r\nLoadDialog=0\r\nGameData=" + setting.toLatin1() + "\r\n");
        create();
        ASSERT_TRUE(window->MDIForm_Load());
        loadMap(terrainMap());
        frmTerrainPreview *preview = openPreview();
        ASSERT_NE(preview, nullptr);
        EXPECT_TRUE(preview->lblUnavailable->isVisibleTo(preview));
        EXPECT_FALSE(preview->picTerrain->isVisibleTo(preview));
        EXPECT_FALSE(preview->btnExport->isEnabled());
        const QString reason = preview->lblUnavailable->text();
        EXPECT_TRUE(reason.contains(c.mentions)) << reason.toStdString();
        EXPECT_FALSE(reason.contains('\n'));
        frmColorList *list = window->colorList();
        EXPECT_EQ(list->lblTileNote->toolTip(), reason);
        EXPECT_TRUE(list->imgTile->pixmap().isNull());
        // Vary Tiles is unavailable and says the same in one line.
        EXPECT_FALSE(window->mnuVary->isEnabled());
        EXPECT_TRUE(window->mnuVary->toolTip().contains(reason)) << window->mnuVary->toolTip().toStdString();
        EXPECT_FALSE(window->mnuVary->toolTip().contains('\n'));
        // The rest of the program is as it always was.
        EXPECT_EQ(mapCommands(), "SAT--");
    }
}

} // namespace
