#include "MainWindowFixture.h"

#include "ui/frmPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

#include <unistd.h>

using testsupport::dimData;
using testsupport::section;

namespace {

const QString InvalidDimensions =
    QStringLiteral("Map dimensions invalid.\r\n\r\nMake sure the map uses standard map dimensions.");

TEST_F(MainWindowTest, LoadingAMapWalksItsStatusTextsAndOpensThePictureWindow)
{
    start();
    const QString path = mapFile("Island.scm", testsupport::scenario(128, 96));
    loadMap(path);

    EXPECT_EQ(statuses, QStringList({"Loading Map...", "Location \"DIM \" region.",
                                     "Checking dimension...", "Map loaded!"}));
    EXPECT_EQ(window->windowTitle(), "::[Velmora]::[Version 1.1]::[Island.scm]::....");
    EXPECT_EQ(window->strFilename, path);
    EXPECT_EQ(window->intDimensionX, 128);
    EXPECT_EQ(window->intDimensionY, 96);
    EXPECT_EQ(mapCommands(), "SAT--");
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0].title, "Load Map");
    EXPECT_TRUE(dialogs.asked[0].text.startsWith("StarCraft Maps (*.scm;*.scx)"));
    EXPECT_TRUE(dialogs.messages().isEmpty());

    // The working folder holds the copy and the extracted scenario.
    EXPECT_EQ(testsupport::readFile(folder.workFile("~temp.map")), testsupport::readFile(path));
    EXPECT_EQ(testsupport::readFile(folder.workFile("scenario.chk")), testsupport::scenario(128, 96));

    // The picture window is empty and laid out for one pixel per tile.
    frmPicture *picture = window->pictureWindow();
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->isVisible());
    EXPECT_TRUE(picture->picture().isNull());
    EXPECT_EQ(picture->picMain->geometry(), QRect(3, 3, 128, 96));
    EXPECT_EQ(picture->btnLoad->geometry().topLeft(), QPoint(3, 96 + 6));
    EXPECT_EQ(picture->btnLoad->width(), 128);
    EXPECT_EQ(picture->size(), QSize(128 + 6, 96 + picture->btnLoad->height() + 8));
    EXPECT_EQ(window->existingColorList(), nullptr);
}

TEST_F(MainWindowTest, TheDialogOffersTheLastChosenMapAgain)
{
    start();
    const QString path = mapFile("a.scx", testsupport::scenario(64, 64));
    loadMap(path);
    loadMap(path);
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[1].initialPath, path);
}

struct SizeCase
{
    quint16 widthStored;
    quint16 heightStored;
    bool accepted;
    qint16 width;  // as read
    qint16 height;
};

class MapSizes : public MainWindowTest, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(MapSizes, OnlyStandardDimensionsAreAccepted)
{
    const SizeCase &c = GetParam();
    start();
    QByteArray chk = testsupport::scenario(64, 64);
    chk.replace(section("DIM ", dimData(64, 64)), section("DIM ", dimData(c.widthStored, c.heightStored)));
    const QString path = mapFile("m.scm", chk);
    const QByteArray before = testsupport::readFile(path);
    loadMap(path);

    EXPECT_EQ(window->intDimensionX, c.width);
    EXPECT_EQ(window->intDimensionY, c.height);
    EXPECT_EQ(window->isMapLoaded(), c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(dialogs.messages().isEmpty());
        EXPECT_EQ(mapCommands(), "SAT--");
        EXPECT_EQ(window->pictureWindow()->picMain->size(), QSize(c.width, c.height));
    } else {
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages()[0].text, InvalidDimensions);
        EXPECT_EQ(dialogs.messages()[0].title, "Load Map");
        EXPECT_EQ(dialogs.messages()[0].icon, QMessageBox::Critical);
        EXPECT_EQ(mapCommands(), "-----");
        EXPECT_EQ(window->statusText(), "No map loaded.");
        EXPECT_TRUE(window->strFilename.isEmpty());
    }
    EXPECT_EQ(testsupport::readFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(Dimensions, MapSizes,
                         ::testing::Values(SizeCase{64, 64, true, 64, 64},
                                           SizeCase{256, 256, true, 256, 256},
                                           SizeCase{64, 96, true, 64, 96},
                                           SizeCase{192, 128, true, 192, 128},
                                           SizeCase{576, 64, true, 64, 64},     // bytes 40 02
                                           SizeCase{320, 96, true, 256, 96},    // bytes 40 01
                                           SizeCase{20, 20, false, 20, 20},
                                           SizeCase{128, 100, false, 128, 100},
                                           SizeCase{0, 0, false, 0, 0},
                                           SizeCase{512, 128, false, 0, 128})); // bytes 00 02

enum class Expect { Silent, InvalidDimensions };

struct BadCase
{
    const char *name;
    std::function<QString(MainWindowTest &, const QString &folder)> make;
    Expect expect;
};

QString writeRaw(const QString &folder, const QByteArray &bytes)
{
    const QString path = folder + "/bad.scm";
    testsupport::writeFile(path, bytes);
    return path;
}

QString archiveWith(const QString &folder, const QList<testsupport::MpqEntry> &entries)
{
    const QString path = folder + "/bad.scm";
    testsupport::writeArchive(path, entries);
    return path;
}

class BadMaps : public MainWindowTest, public ::testing::WithParamInterface<BadCase>
{
};

TEST_P(BadMaps, EndInTheNoMapStateAndLeaveTheFileUnchanged)
{
    const BadCase &c = GetParam();
    start();
    // A good map first, so that the failure has something to take away.
    loadMap(mapFile("good.scm", testsupport::scenario(64, 64)));
    ASSERT_TRUE(window->isMapLoaded());
    const QString caption = window->windowTitle();
    const QString loaded = window->strFilename;

    const QString path = c.make(*this, folder.path());
    const QByteArray before = testsupport::readFile(path);
    const bool existed = QFileInfo::exists(path);
    loadMap(path);

    EXPECT_FALSE(window->isMapLoaded());
    EXPECT_EQ(mapCommands(), "-----");
    EXPECT_EQ(window->statusText(), "No map loaded.");
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->strFilename, loaded);
    if (c.expect == Expect::Silent) {
        EXPECT_TRUE(dialogs.messages().isEmpty());
    } else {
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_EQ(dialogs.messages()[0].text, InvalidDimensions);
    }
    EXPECT_EQ(QFileInfo::exists(path), existed);
    EXPECT_EQ(testsupport::readFile(path), before);
}

QByteArray withoutDim()
{
    QByteArray chk = testsupport::scenario(64, 64);
    chk.replace("DIM ", "DIMX");
    return chk;
}

INSTANTIATE_TEST_SUITE_P(
    Failures, BadMaps,
    ::testing::Values(
        BadCase{"NotAnArchive",
                [](MainWindowTest &, const QString &f) { return writeRaw(f, QByteArray(4000, 'x')); },
                Expect::Silent},
        BadCase{"ZeroBytes", [](MainWindowTest &, const QString &f) { return writeRaw(f, {}); },
                Expect::Silent},
        BadCase{"NoScenarioEntry",
                [](MainWindowTest &, const QString &f) {
                    return archiveWith(f, {{"staredit\\other.chk", testsupport::scenario(64, 64)}});
                },
                Expect::Silent},
        BadCase{"DamagedArchive",
                [](MainWindowTest &t, const QString &f) {
                    const QString path = t.mapFile("damaged.scm", testsupport::scenario(64, 64));
                    QByteArray bytes = testsupport::readFile(path);
                    bytes.truncate(bytes.size() / 3);
                    testsupport::writeFile(path, bytes);
                    Q_UNUSED(f);
                    return path;
                },
                Expect::Silent},
        BadCase{"MissingFile", [](MainWindowTest &, const QString &f) { return f + "/gone.scm"; },
                Expect::Silent},
        BadCase{"AFolder",
                [](MainWindowTest &, const QString &f) {
                    QDir(f).mkdir("folder.scm");
                    return f + "/folder.scm";
                },
                Expect::Silent},
        BadCase{"NoDimSection",
                [](MainWindowTest &t, const QString &) { return t.mapFile("nodim.scm", withoutDim()); },
                Expect::InvalidDimensions},
        BadCase{"DimInTheLastBytes",
                [](MainWindowTest &t, const QString &) {
                    return t.mapFile("lastdim.scm", QByteArray("VER \x02\x00\x00\x00\xCD\x00" "DIM \x04\x00", 16));
                },
                Expect::InvalidDimensions},
        BadCase{"EmptyScenario",
                [](MainWindowTest &t, const QString &) { return t.mapFile("empty.scm", QByteArray()); },
                Expect::InvalidDimensions}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, CancelAfterALoadDiscardsTheWorkingFilesButKeepsTheCaption)
{
    start();
    loadMap(mapFile("First.scm", testsupport::scenario(64, 64)));
    ASSERT_TRUE(window->isMapLoaded());
    ASSERT_TRUE(QFileInfo::exists(folder.workFile("~temp.map")));

    dialogs.whileFileDialogOpen = [this] {
        // The old working files are gone before the dialog is shown.
        EXPECT_FALSE(QFileInfo::exists(folder.workFile("~temp.map")));
        EXPECT_FALSE(QFileInfo::exists(folder.workFile("scenario.chk")));
    };
    window->LoadMap(); // no answer queued: Cancel

    EXPECT_FALSE(window->isMapLoaded());
    EXPECT_EQ(mapCommands(), "-----");
    EXPECT_EQ(window->statusText(), "No map loaded.");
    EXPECT_EQ(window->windowTitle(), "::[Velmora]::[Version 1.1]::[First.scm]::....");
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, AMissingWorkingFolderIsCreatedAndStaleFilesAreDeleted)
{
    start();
    // Made at start; a folder removed while the program runs is made again.
    ASSERT_TRUE(QFileInfo(folder.path() + "/temp").isDir());
    ASSERT_TRUE(QDir(folder.path() + "/temp").removeRecursively());
    window->LoadMap(); // Cancel
    EXPECT_TRUE(QFileInfo(folder.path() + "/temp").isDir());

    testsupport::writeFile(folder.workFile("~temp.map"), "stale");
    testsupport::writeFile(folder.workFile("scenario.chk"), "stale");
    window->LoadMap();
    EXPECT_FALSE(QFileInfo::exists(folder.workFile("~temp.map")));
    EXPECT_FALSE(QFileInfo::exists(folder.workFile("scenario.chk")));
}

TEST_F(MainWindowTest, EveryRealMapLoads)
{
    // Sizes as the maps' own "DIM " sections state them.
    const QMap<QString, QSize> sizes{{"64x64.scx", {64, 64}}};
    const QStringList maps = testsupport::realMaps();
    if (maps.isEmpty())
        GTEST_SKIP() << "VELMORA_MAPS is not set";
    start();
    for (const QString &map : maps) {
        SCOPED_TRACE(map.toStdString());
        const QByteArray before = testsupport::readFile(map);
        loadMap(map);
        ASSERT_TRUE(window->isMapLoaded());
        const QSize expected = sizes.value(QFileInfo(map).fileName(), QSize(128, 128));
        EXPECT_EQ(QSize(window->intDimensionX, window->intDimensionY), expected);
        EXPECT_EQ(window->windowTitle(),
                  mdiMain::captionFor(QFileInfo(map).fileName()));
        EXPECT_EQ(window->pictureWindow()->picMain->size(), expected);
        EXPECT_EQ(testsupport::readFile(map), before);
    }
}

} // namespace

// Names that are not UTF-8 (an old map's Latin-1 "Kart\xE9.scm") never reach the windows
// intact: Qt reads the command line's bytes as "Kart\uFFFD.scm" and its folder listings, the
// file dialogs' included, leave the file out, so a name typed there is another one. Where the
// windows report the failure (a map given at start or handed over, a picture on the status
// line), it names the files as they are (escaped) and says why; a name simply missing keeps
// its short message.
TEST_F(MainWindowTest, ANameThatIsNotUtf8IsNamedAndExplainedWhenItCannotBeOpened)
{
    start();
    ASSERT_TRUE(QDir(folder.path()).mkdir("maps"));
    const QString plain = folder.file("maps/plain.scm");
    testsupport::writeMap(plain, testsupport::scenario(64, 64));
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(folder.file("maps/plain.bmp"), "BMP"));
    const QByteArray maps = QFile::encodeName(folder.file("maps")) + '/';
    const QByteArray map = maps + "Kart\xe9.scm", pic = maps + "Bild\xe9.bmp";
    // Qt cannot remove names it does not list: these go however the test ends.
    const auto unlinked = qScopeGuard([map, pic] {
        ::unlink(map.constData());
        ::unlink(pic.constData());
    });
    ASSERT_EQ(::link(QFile::encodeName(plain).constData(), map.constData()), 0);
    ASSERT_EQ(::link(QFile::encodeName(folder.file("maps/plain.bmp")).constData(), pic.constData()), 0);
    // What Qt's dialogs list there: the plain names only.
    EXPECT_EQ(QDir(folder.file("maps")).entryList(QDir::Files), QStringList({"plain.bmp", "plain.scm"}));

    enum How { AtStart, HandedOver, PictureDialog };
    const struct
    {
        const char *what;
        How how;
        QString given;
        const char *says;
    } cases[] = {
        {"a map on the command line", AtStart, QFile::decodeName(map), "does not exist (its folder holds"},
        {"a map handed over, typed", HandedOver, folder.file(QStringLiteral("maps/Kart\u00e9.scm")),
         "does not exist (its folder holds"},
        {"a picture typed in the dialog", PictureDialog, folder.file(QStringLiteral("maps/Bild\u00e9.bmp")),
         "no such file; its folder holds"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        dialogs.asked.clear();
        QString text;
        if (c.how == PictureDialog) {
            loadMap(plain);
            ASSERT_TRUE(window->isMapLoaded());
            dialogs.fileAnswers.push_back(c.given);
            statuses.clear();
            window->pictureWindow()->btnLoad_Click();
            text = statuses.join('\n');
            EXPECT_TRUE(dialogs.messages().isEmpty());
        } else {
            if (c.how == AtStart) {
                create();
                (void)window->MDIForm_Load(c.given);
            } else {
                window->openMap(c.given);
            }
            ASSERT_EQ(dialogs.messages().size(), 1);
            text = dialogs.messages().at(0).text;
        }
        EXPECT_TRUE(text.contains(c.says)) << text.toStdString();
        EXPECT_TRUE(text.contains("\"Bild\\xE9.bmp\", \"Kart\\xE9.scm\"")) << text.toStdString();
        EXPECT_TRUE(text.contains("UTF-8")) << text.toStdString();
    }
    dialogs.asked.clear();
    window->openMap(folder.file("Missing.scm"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().at(0).text.endsWith("does not exist.")) << dialogs.messages().at(0).text.toStdString();
}
