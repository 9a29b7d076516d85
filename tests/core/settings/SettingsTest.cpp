// The settings keys: the files users already have read as they always did, every key comes
// back as written and lands on the line it always had, and invalid values read as defaults.
#include "core/settings/Settings.h"

#include "TestSupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using testsupport::ProgramFolder;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A choice as a key of that type is declared.
constexpr settings::Choice Fruit{"Test", "Fruit", {"Apple", "Pear", "Plum"}};

QString written(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(Settings, FilesOfEarlierVersionsReadAsBefore)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    const QString longPath = "/" + QString(200, 'x');
    const struct
    {
        QByteArray file;
        qint16 splash, statusBar, loadDialog;
        QString gameData;
        QStringList recent; // the non-empty entries, in order
    } cases[] = {
        {"", 1, 1, 1, {}, {}},
        {"[Settings]\nSplashScreen=0\nStatusBar=0\nLoadDialog=0\n", 0, 0, 0, {}, {}},
        // Numbers outside 0..1 read as stored; anything else that is no 16-bit number reads
        // as the default.
        {"[settings]\r\nsplashscreen = 2 \r\nSTATUSBAR=-1\r\nLoadDialog=32768\r\n", 2, -1, 1, {}, {}},
        {"[Settings]\nSplashScreen=\nStatusBar=off\nLoadDialog=\"0\"\n", 1, 1, 0, {}, {}},
        {"[Other]\nSplashScreen=0\n[Settings]\nGameData=/games/star craft\n", 1, 1, 1,
         "/games/star craft", {}},
        {"[Settings]\nGameData=/%D0%B8%D0%B3%D1%80%D0%B0%20100%25\n", 1, 1, 1,
         written("/игра 100%"), {}},
        // The reader keeps 127 characters of a value.
        {"[Settings]\nGameData=" + longPath.toLatin1() + "\n", 1, 1, 1, longPath.left(127), {}},
        {"[RecentMaps]\nMap1=/maps/a%20b.scm\nMap3=/maps/c.scm\nMap9=/maps/ignored.scm\n", 1, 1, 1,
         {}, {"/maps/a b.scm", "/maps/c.scm"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        writeFile(path, c.file);
        EXPECT_EQ(settings::read(path, settings::SplashScreen), c.splash);
        EXPECT_EQ(settings::read(path, settings::StatusBar), c.statusBar);
        EXPECT_EQ(settings::read(path, settings::LoadDialog), c.loadDialog);
        EXPECT_EQ(settings::read(path, settings::GameData), c.gameData);
        QStringList recent = settings::read(path, settings::RecentMaps);
        EXPECT_EQ(recent.size(), settings::RecentMaps.count);
        recent.removeAll(QString());
        EXPECT_EQ(recent, c.recent);
    }
    // Without a file every key reads as its default, and no file appears.
    const QString none = folder.file("none.ini");
    for (const settings::Number *key : {&settings::SplashScreen, &settings::StatusBar, &settings::LoadDialog}) {
        EXPECT_EQ(settings::read(none, *key), key->fallback) << key->name;
        EXPECT_TRUE(key->holds(key->fallback)) << key->name;
        EXPECT_FALSE(key->holds(qint16(key->high + 1))) << key->name;
        EXPECT_FALSE(key->holds(qint16(key->low - 1))) << key->name;
    }
    EXPECT_EQ(settings::read(none, Fruit), 0u);
    EXPECT_FALSE(QFileInfo::exists(none));
}

TEST(Settings, EveryKeyIsStoredOnItsOwnLineInOneReplacement)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    writeFile(path, "; mine\r\n[Settings]\r\nLoadDialog=1\r\n");
    settings::Changes changes;
    changes.set(settings::LoadDialog, 0);
    changes.set(settings::SplashScreen, 0);
    ASSERT_TRUE(changes.set(settings::GameData, written("/игра 100%")));
    ASSERT_TRUE(changes.set(settings::RecentMaps, {"/maps/a b.scm", "/maps/(c).scm"}));
    changes.set(Fruit, 2);
    ASSERT_TRUE(changes.store(path));
    EXPECT_EQ(readFile(path), "; mine\r\n[Settings]\r\nLoadDialog=0\r\nSplashScreen=0\r\n"
                              "GameData=/%D0%B8%D0%B3%D1%80%D0%B0 100%25\r\n\r\n"
                              "[RecentMaps]\r\nMap1=/maps/a%20b.scm\r\nMap2=/maps/(c).scm\r\n"
                              "Map3=\r\nMap4=\r\nMap5=\r\nMap6=\r\nMap7=\r\nMap8=\r\n\r\n"
                              "[Test]\r\nFruit=Plum\r\n");
    EXPECT_EQ(settings::read(path, settings::LoadDialog), 0);
    EXPECT_EQ(settings::read(path, settings::SplashScreen), 0);
    EXPECT_EQ(settings::read(path, settings::StatusBar), 1);
    EXPECT_EQ(settings::read(path, settings::GameData), written("/игра 100%"));
    EXPECT_EQ(settings::read(path, settings::RecentMaps).mid(0, 3),
              (QStringList{"/maps/a b.scm", "/maps/(c).scm", ""}));
    EXPECT_EQ(settings::read(path, Fruit), 2u);
}

TEST(Settings, ChoicesAndTextsTakeOnlyWhatTheyCanKeep)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    const struct
    {
        const char *stored;
        std::size_t index;
    } choices[] = {{"Pear", 1}, {"pLUM", 2}, {" Plum ", 2}, {"Banana", 0}, {"", 0}, {"1", 0}};
    for (const auto &c : choices) {
        writeFile(path, QByteArray("[Test]\nFruit=") + c.stored + "\n");
        EXPECT_EQ(settings::read(path, Fruit), c.index) << c.stored;
    }
    // A text whose stored form is longer than the file keeps is not set, and a list with one
    // such text sets none of its entries.
    writeFile(path, "[Settings]\nGameData=/kept\n");
    settings::Changes changes;
    EXPECT_TRUE(changes.set(settings::GameData, "/" + QString(126, 'x')));
    EXPECT_FALSE(changes.set(settings::GameData, "/" + QString(127, 'x')));
    EXPECT_FALSE(changes.set(settings::GameData, written("/") + QString(42, QChar(0x0438))));
    EXPECT_FALSE(changes.set(settings::RecentMaps, {"/a.scm", QString(16 * 1024, '%')}));
    ASSERT_TRUE(changes.store(path));
    EXPECT_EQ(readFile(path), "[Settings]\nGameData=/" + QByteArray(126, 'x') + "\n");
}
