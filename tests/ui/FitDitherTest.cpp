// The picture window's fit and resampling, Dither in the colour list and Vary Tiles in the
// real main window: what the picture and the colour list hold for each fit, undo and redo
// of each step, the companion's archives for the same options, and the settings kept.
#include "MainWindowFixture.h"

#include "core/picture/ColorKey.h"
#include "core/picture/PictureFit.h"
#include "ui/ColorListModel.h"

#include <QProcess>
#include <QPushButton>

using testsupport::SyntheticTileset;

namespace {

/// Everything the windows show of the document's picture, for exact comparisons.
struct Shown
{
    QStringList keys;
    QList<int> counts;
    QStringList values;
    QList<picture::Argb> pixels;
    picture::FitOptions fit;

    friend bool operator==(const Shown &, const Shown &) = default;
};

class FitDitherTest : public MainWindowTest
{
public:
    Shown shown() const
    {
        frmColorList *list = window->existingColorList();
        const frmPicture *pictureWindow = window->pictureWindow();
        return {list->colorKeys(), list->model()->pixelCounts(), list->lstReplace(),
                pictureWindow->picture().data(), pictureWindow->fitOptions()};
    }

    /// Chooses `options` in the picture window's context menu, as a user would: the
    /// resampling, then the fit. What each choice that changed the picture's making shows
    /// is added to `steps`.
    void choose(const picture::FitOptions &options, std::vector<Shown> *steps = nullptr)
    {
        frmPicture *p = window->pictureWindow();
        for (QAction *action : {p->resampleActions.at(int(options.resample)),
                                p->fitActions.at(int(options.fit))}) {
            action->trigger();
            if (steps && !(shown() == steps->back()))
                steps->push_back(shown());
        }
    }

    int countOf(const QString &key) const
    {
        frmColorList *list = window->existingColorList();
        const qsizetype i = list->colorKeys().indexOf(key);
        return i < 0 ? 0 : list->model()->pixelCounts().at(i);
    }

    /// A picture of `width` x `height` pixels at `name` in the test folder.
    QString pictureFile(const QString &name, int width, int height,
                        const std::function<QRgb(int, int)> &pixel)
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, pixel(x, y));
        const QString path = folder.file(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    void loadPictureFile(const QString &path)
    {
        dialogs.fileAnswers.push_back(path);
        window->pictureWindow()->btnLoad_Click();
    }
};

const QString NoPixel = QStringLiteral("-00000001");
const QString Green = QStringLiteral("00065280");

// A 3 x 1 picture (red, green, blue) on a 64 x 64 map. Stretched to 64 columns, nearest
// gives 21, 22 and 21 columns; area mixes the two boundary columns (1/3 and 2/3) and keeps
// 21, 20 and 21 pure. Contain: 64 x 21 tiles at row 21. Cover: the middle pixel only.
TEST_F(FitDitherTest, EachFitShowsItsCellsAndEachChoiceIsOneUndoableStep)
{
    using picture::Fit;
    using picture::Resample;
    start();
    loadMap(mapFile("Fit.scm", testsupport::scenario(64, 64)));
    loadPictureFile(pictureFile("rgb.bmp", 3, 1, [](int x, int) {
        return x == 0 ? qRgb(255, 0, 0) : x == 1 ? qRgb(0, 255, 0) : qRgb(0, 0, 255);
    }));
    struct Case
    {
        picture::FitOptions fit;
        int colours;
        int noPixel;
        int green;
    };
    const Case cases[] = {
        {{Fit::Stretch, Resample::Nearest}, 3, 0, 22 * 64},
        {{Fit::Stretch, Resample::Area}, 5, 0, 20 * 64},
        {{Fit::Contain, Resample::Area}, 6, 64 * 43, 20 * 21},
        {{Fit::Contain, Resample::Nearest}, 4, 64 * 43, 22 * 21},
        {{Fit::Cover, Resample::Nearest}, 1, 0, 64 * 64},
        {{Fit::Cover, Resample::Area}, 1, 0, 64 * 64},
        {{Fit::None, Resample::Area}, 4, 64 * 64 - 3, 1},
    };
    std::vector<Shown> steps{shown()};
    ASSERT_EQ(steps[0].keys.size(), 4);
    for (const Case &c : cases) {
        SCOPED_TRACE(picture::fitName(c.fit.fit).toStdString() + " "
                     + picture::resampleName(c.fit.resample).toStdString());
        choose(c.fit, &steps);
        const Shown now = shown();
        EXPECT_EQ(now.fit, c.fit);
        EXPECT_EQ(now.keys.size(), c.colours);
        EXPECT_EQ(countOf(NoPixel), c.noPixel);
        EXPECT_EQ(countOf(Green), c.green);
        EXPECT_EQ(window->mnuUndo->text(), "&Undo Fit Picture");
        EXPECT_TRUE(dialogs.messages().isEmpty());
    }
    // The area mean is taken in linear light: a third of red in a green tile keeps a red
    // of 156, not 85.
    choose({Fit::Stretch, Resample::Area}, &steps);
    EXPECT_EQ(qRed(window->pictureWindow()->picture().at(21, 5)), 156);
    EXPECT_EQ(qGreen(window->pictureWindow()->picture().at(21, 5)), 213);
    // The last choice is remembered for the next picture and the next start.
    const QByteArray config = testsupport::readFile(folder.file("config.ini"));
    EXPECT_TRUE(config.contains("PictureFit=stretch")) << config.toStdString();
    EXPECT_TRUE(config.contains("PictureResample=area")) << config.toStdString();

    // Undo walks back through every step exactly, the menu's choice with it; redo forward.
    for (size_t i = steps.size() - 1; i > 0; --i) {
        window->mnuUndo->trigger();
        ASSERT_TRUE(shown() == steps[i - 1]) << "undo to step " << i - 1;
    }
    EXPECT_EQ(window->mnuUndo->text(), "&Undo Load Picture");
    for (size_t i = 1; i < steps.size(); ++i) {
        window->mnuRedo->trigger();
        ASSERT_TRUE(shown() == steps[i]) << "redo to step " << i;
    }
    EXPECT_FALSE(window->hasUnsavedWork());
}

// Dither then Convert in the windows writes the companion's archive byte for byte, plain
// and with a fit and Vary Tiles; the colour list is the companion's colors --dither.
TEST_F(FitDitherTest, DitherThenConvertWritesTheCompanionsArchive)
{
    // Entry 3 of every group shows entry 0's megatile, so every group has a variant.
    SyntheticTileset tiles = SyntheticTileset::make(9);
    for (auto &group : tiles.groups)
        group[3] = group[0];
    struct Case
    {
        const char *name;
        picture::FitOptions fit;
        bool vary;
        QStringList options;
    };
    const Case cases[] = {
        {"plain", {}, false, {}},
        {"contain, nearest, varied",
         {picture::Fit::Contain, picture::Resample::Nearest},
         true,
         {"--fit", "contain", "--resample", "nearest"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        const QString gameData = startWithGameData(tiles);
        const QString map = mapFile("Same.scm", testsupport::scenario(96, 64));
        const QString picture = pictureFile("art.png", 80, 70, [](int x, int y) {
            return qRgb(x * 3, y * 3, (x * y) % 256);
        });
        loadMap(map);
        loadPictureFile(picture);
        choose(c.fit);
        const Shown before = shown();
        ASSERT_FALSE(window->mnuVary->isChecked());
        ASSERT_TRUE(window->mnuVary->isEnabled()) << window->mnuVary->toolTip().toStdString();
        window->mnuVary->setChecked(c.vary);

        frmColorList *list = window->existingColorList();
        ASSERT_TRUE(list->btnDither->isEnabled());
        list->btnDither->click();
        ASSERT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().first().text.toStdString();
        const Shown dithered = shown();
        EXPECT_EQ(window->mnuUndo->text(), "&Undo Dither");
        EXPECT_EQ(dithered.fit, c.fit);
        // Few colours, those of the tiles; every cell with a pixel has a tile.
        EXPECT_LT(dithered.keys.size(), 9 * 16);
        for (qsizetype i = 0; i < dithered.keys.size(); ++i)
            EXPECT_EQ(dithered.values[i] == "0", dithered.keys[i] == NoPixel) << dithered.keys[i].toStdString();

        // Undo brings the plain picture back exactly; redo the dithered one.
        window->mnuUndo->trigger();
        EXPECT_TRUE(shown() == before);
        window->mnuRedo->trigger();
        ASSERT_TRUE(shown() == dithered);

        QStringList fromWindows;
        for (qsizetype i = 0; i < dithered.keys.size(); ++i)
            fromWindows << dithered.keys[i] + "=" + dithered.values[i];
        const QStringList given =
            QStringList{map, picture, "--dither", "--game-data", gameData} + c.options;
        QStringList printed = QString::fromLatin1(runCompanion(QStringList{"colors"} + given))
                                  .split('\n', Qt::SkipEmptyParts);
        printed.removeIf([](const QString &line) { return line.startsWith('#'); });
        EXPECT_EQ(printed, fromWindows);

        window->mnuConvert->trigger();
        ASSERT_EQ(window->statusText(), "Conversion successful!");
        dialogs.fileAnswers.push_back(folder.file("windows.scm"));
        window->mnuSaveAs->trigger();
        const QByteArray windowsBytes = testsupport::readFile(folder.file("windows.scm"));
        ASSERT_FALSE(windowsBytes.isEmpty());
        const QStringList varied = c.vary ? QStringList{"--vary"} : QStringList{};
        runCompanion(QStringList{"convert"} + given + varied + QStringList{"-o", folder.file("cli.scm")});
        EXPECT_EQ(windowsBytes, testsupport::readFile(folder.file("cli.scm")));
        if (c.vary) {
            // Varying did change tiles: without it the companion writes other bytes.
            runCompanion(QStringList{"convert"} + given + QStringList{"-o", folder.file("same.scm")});
            EXPECT_NE(windowsBytes, testsupport::readFile(folder.file("same.scm")));
        }
    }
}

// A fit that gives more colours than the list holds is refused, the picture kept, with a
// message that suggests Dither; Dither then gives the picture so fitted the tiles' colours.
TEST_F(FitDitherTest, TooManyColoursOnceFittedSuggestsDitherWhichThenFits)
{
    startWithGameData(SyntheticTileset::make(9));
    loadMap(mapFile("Big.scm", testsupport::scenario(256, 256)));
    // Blocks of 2 x 2 pixels, each its own colour: the map's top-left area holds 128 x 128
    // of them; shrunk by 1.5, almost every tile is a mean of its own.
    loadPictureFile(pictureFile("many.png", 384, 384, [](int x, int y) {
        return qRgb(x / 2, y / 2, (x / 2 * 7 + y / 2 * 13) % 256);
    }));
    const Shown loaded = shown();
    ASSERT_EQ(loaded.keys.size(), 128 * 128);
    choose({picture::Fit::Stretch, picture::Resample::Area});
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().text.contains("Dither")) << dialogs.messages().first().text.toStdString();
    EXPECT_EQ(shown().keys, loaded.keys) << "the picture as it was";
    EXPECT_EQ(window->mnuUndo->text(), "&Undo Load Picture");

    window->existingColorList()->btnDither->click();
    EXPECT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(window->mnuUndo->text(), "&Undo Dither");
    EXPECT_EQ(window->pictureWindow()->fitOptions().fit, picture::Fit::Stretch);
    EXPECT_EQ(countOf(NoPixel), 0) << "the whole map covered";
    EXPECT_LT(shown().keys.size(), 9 * 16);
}

// Vary Tiles is remembered across starts, with the fit; without game data it is disabled (its
// one-line reason: TerrainPreviewTest), a conversion still runs and Dither says why not.
TEST_F(FitDitherTest, VaryTilesIsRememberedAndUnavailableWithoutGameData)
{
    SyntheticTileset tiles = SyntheticTileset::make(6);
    startWithGameData(tiles);
    loadMap(mapFile("Vary.scm", testsupport::scenario(64, 64)));
    EXPECT_TRUE(window->mnuVary->isEnabled());
    window->mnuVary->setChecked(true);
    choose({picture::Fit::Contain, picture::Resample::Nearest});

    window.reset();
    create();
    ASSERT_TRUE(window->MDIForm_Load());
    EXPECT_TRUE(window->mnuVary->isChecked());
    EXPECT_FALSE(window->mnuVary->isEnabled()) << "no map yet";
    loadMap(mapFile("Vary.scm", testsupport::scenario(64, 64)));
    EXPECT_TRUE(window->mnuVary->isEnabled());
    EXPECT_EQ(window->pictureWindow()->fitOptions(),
              (picture::FitOptions{picture::Fit::Contain, picture::Resample::Nearest}));

    // The same settings without a game data folder.
    window.reset();
    QByteArray config = testsupport::readFile(folder.file("config.ini"));
    config.replace("GameData=", "Unused=");
    writeConfig(config);
    create();
    ASSERT_TRUE(window->MDIForm_Load());
    const QString map = mapFile("Vary.scm", testsupport::scenario(64, 64));
    loadMap(map);
    EXPECT_TRUE(window->mnuVary->isChecked());
    EXPECT_FALSE(window->mnuVary->isEnabled());
    EXPECT_EQ(window->mnuVary->statusTip(), window->mnuVary->toolTip());
    // The remembered choice waits: the conversion runs, unvaried.
    loadPicture(64, 64);
    typeValue(0, "16");
    typeValue(1, "16");
    window->mnuConvert->trigger();
    EXPECT_EQ(window->statusText(), "Conversion successful!");
    // Dither says why it cannot run, as Match Colours does.
    window->existingColorList()->btnDither->click();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().first().title, "Dither");
    EXPECT_TRUE(dialogs.messages().first().text.contains("game data folder"));
}

} // namespace
