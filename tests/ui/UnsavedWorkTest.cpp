// Unsaved conversions and tileset changes are never thrown away without a question.
#include "MainWindowFixture.h"

#include "core/archive/MpqControl.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

namespace {

using Choice = UserDialogs::UnsavedChoice;

enum class Change { None, Conversion, Tileset };
enum class Leave { Exit, LoadMap };

struct UnsavedCase
{
    const char *name;
    Change change;
    Leave leave;
    std::optional<Choice> answer; // nullopt: no question is expected
    bool saveFails;
    bool goesOn;    // the window closes / the other map is asked for
    bool mapSaved;  // the map file holds the change afterwards
};

class UnsavedWorkGuard : public MainWindowTest, public ::testing::WithParamInterface<UnsavedCase>
{
};

QByteArray scenarioEntry(const QString &archive)
{
    QByteArray data;
    EXPECT_TRUE(MpqControl().readEntry(archive, "staredit\\scenario.chk", &data).ok());
    return data;
}

TEST_P(UnsavedWorkGuard, AsksSavesDiscardsOrKeepsAsAnswered)
{
    const UnsavedCase &c = GetParam();
    start();
    const QString map = mapFile("Map.scm", testsupport::scenario(64, 64));
    loadMap(map);
    ASSERT_TRUE(window->isMapLoaded());
    const QByteArray archiveBefore = testsupport::readFile(map);
    if (c.change == Change::Conversion) {
        loadPicture(64, 64);
        typeValue(0, "77");
        window->mnuConvert->trigger();
    } else if (c.change == Change::Tileset) {
        window->mnuTileset->trigger();
        auto *combo = window->tilesetWindow()->findChild<QComboBox *>("cmbTileset");
        combo->setCurrentIndex(3);
        window->tilesetWindow()->findChild<QPushButton *>("btnApply")->click();
    }
    ASSERT_EQ(window->hasUnsavedWork(), c.change != Change::None);
    const QByteArray working = testsupport::readFile(folder.workFile("scenario.chk"));
    if (c.saveFails)
        QFile::remove(folder.workFile("~temp.map"));
    if (c.answer)
        dialogs.unsavedAnswers.push_back(*c.answer);

    QSignalSpy ended(window.get(), &mdiMain::programEnded);
    dialogs.asked.clear();
    if (c.leave == Leave::Exit)
        window->mnuExit->trigger();
    else
        window->mnuLoad->trigger(); // the file dialog is cancelled when reached

    EXPECT_EQ(dialogs.unsavedQuestions(), c.answer ? 1 : 0);
    if (c.answer) {
        EXPECT_EQ(dialogs.asked[0].title, c.leave == Leave::Exit ? "Exit" : "Load Map");
        EXPECT_TRUE(dialogs.asked[0].text.contains("Map.scm")) << dialogs.asked[0].text.toStdString();
    }
    EXPECT_EQ(dialogs.messages().size(), c.saveFails ? 1 : 0);
    if (c.leave == Leave::Exit) {
        EXPECT_EQ(ended.size(), c.goesOn ? 1 : 0);
    } else {
        const bool askedForMap = !dialogs.asked.isEmpty() && dialogs.asked.last().kind == "open";
        EXPECT_EQ(askedForMap, c.goesOn);
    }
    if (c.mapSaved)
        EXPECT_EQ(scenarioEntry(map), working);
    else
        EXPECT_EQ(testsupport::readFile(map), archiveBefore);
    if (!c.goesOn) {
        // Kept: the map, its working copy and the question for next time.
        EXPECT_TRUE(window->isMapLoaded());
        EXPECT_TRUE(window->hasUnsavedWork());
        EXPECT_EQ(testsupport::readFile(folder.workFile("scenario.chk")), working);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Leaving, UnsavedWorkGuard,
    ::testing::Values(
        UnsavedCase{"NothingChangedExit", Change::None, Leave::Exit, {}, false, true, false},
        UnsavedCase{"NothingChangedLoad", Change::None, Leave::LoadMap, {}, false, true, false},
        UnsavedCase{"ExitCancel", Change::Conversion, Leave::Exit, Choice::Cancel, false, false, false},
        UnsavedCase{"ExitDiscard", Change::Conversion, Leave::Exit, Choice::Discard, false, true, false},
        UnsavedCase{"ExitSave", Change::Conversion, Leave::Exit, Choice::Save, false, true, true},
        UnsavedCase{"ExitSaveFails", Change::Conversion, Leave::Exit, Choice::Save, true, false, false},
        UnsavedCase{"LoadCancel", Change::Conversion, Leave::LoadMap, Choice::Cancel, false, false, false},
        UnsavedCase{"LoadDiscard", Change::Conversion, Leave::LoadMap, Choice::Discard, false, true, false},
        UnsavedCase{"LoadSave", Change::Conversion, Leave::LoadMap, Choice::Save, false, true, true},
        UnsavedCase{"LoadSaveFails", Change::Conversion, Leave::LoadMap, Choice::Save, true, false, false},
        UnsavedCase{"TilesetExitSave", Change::Tileset, Leave::Exit, Choice::Save, false, true, true},
        UnsavedCase{"TilesetLoadCancel", Change::Tileset, Leave::LoadMap, Choice::Cancel, false, false, false}),
    [](const ::testing::TestParamInfo<UnsavedCase> &info) { return std::string(info.param.name); });

TEST_F(UnsavedWorkGuard, SavedOrSavedAsWorkIsNotAskedAbout)
{
    start();
    const QString map = mapFile("Map.scm", testsupport::scenario(64, 64));
    loadMap(map);
    loadPicture(64, 64);
    window->mnuConvertSave->trigger();
    EXPECT_FALSE(window->hasUnsavedWork());
    window->mnuConvert->trigger();
    EXPECT_TRUE(window->hasUnsavedWork());
    dialogs.fileAnswers.push_back(folder.file("Copy.scm"));
    window->mnuSaveAs->trigger();
    EXPECT_FALSE(window->hasUnsavedWork());
    QSignalSpy ended(window.get(), &mdiMain::programEnded);
    window->close();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(dialogs.unsavedQuestions(), 0);
}

} // namespace
