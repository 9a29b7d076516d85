// The preferences dialog: what it shows, what it repairs, and what Apply and Cancel write.
#include "ui/frmPreferences.h"

#include "SyntheticTileset.h"
#include "TestSupport.h"
#include "core/tileset/TerrainSource.h"
#include "core/settings/modINI.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <sys/inotify.h>
#include <unistd.h>

#include <gtest/gtest.h>

using testsupport::ProgramFolder;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

/// The dialog as a top-level window, as the tests use it. It deletes itself on close.
QPointer<frmPreferences> open(const ProgramFolder &folder)
{
    auto *form = new frmPreferences(folder.path());
    form->show();
    return form;
}

bool closedAndGone(QPointer<frmPreferences> &form)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return form.isNull();
}

QString setting(const ProgramFolder &folder, const char *key)
{
    return modINI::ReadIniValue("Settings", key, "<missing>", modINI::configPath(folder.path()));
}

/// Counts the times a file is put in place in a folder (renamed over or created), from the
/// system's own notices.
class Replacements
{
public:
    Replacements(const QString &folder, const QByteArray &name)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), m_name(name)
    {
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_MOVED_TO | IN_CREATE);
    }
    ~Replacements() { ::close(m_fd); }
    Replacements(const Replacements &) = delete;
    Replacements &operator=(const Replacements &) = delete;

    /// How many since the last call.
    int take()
    {
        alignas(inotify_event) char buffer[8192];
        int count = 0;
        for (ssize_t got; (got = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->len > 0 && m_name == event->name)
                    ++count;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

private:
    int m_fd;
    QByteArray m_name;
};

} // namespace

TEST(Preferences, OpeningAndApplyEachReplaceTheFileOnce)
{
    qunsetenv("VELMORA_GAME_DATA");
    ProgramFolder folder;
    const QString path = modINI::configPath(folder.path());
    const QString game = folder.file("game");
    testsupport::SyntheticTileset::make().writeFolder(game + "/tileset", "badlands");
    writeFile(path, "[Settings]\nSplashScreen=5\nStatusBar=-3\nLoadDialog=0\n");
    Replacements replacements(folder.path(), "config.ini");

    testsupport::ScriptedDialogs dialogs;
    QPointer<frmPreferences> form = new frmPreferences(folder.path());
    form->setDialogs(&dialogs);
    form->show();
    EXPECT_EQ(replacements.take(), 1) << "two repairs on opening";
    EXPECT_EQ(readFile(path), "[Settings]\nSplashScreen=1\nStatusBar=1\nLoadDialog=0\n");

    form->chkSplash->setChecked(false);
    form->chkLoadDialog->setChecked(true);
    form->txtGameData->setText(game);
    form->btnApply->click();
    EXPECT_TRUE(closedAndGone(form));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(replacements.take(), 1) << "four values on Apply";
    EXPECT_EQ(readFile(path), "[Settings]\nSplashScreen=0\nStatusBar=1\nLoadDialog=1\nGameData="
                                  + game.toLatin1() + "\n");

    // Nothing to repair: opening leaves the file alone.
    form = open(folder);
    form->close();
    EXPECT_EQ(replacements.take(), 0);
}

TEST(Preferences, NoFileShowsAllCheckedAndApplyCreatesTheThreeKeysInOrder)
{
    ProgramFolder folder;
    const QString path = modINI::configPath(folder.path());
    QPointer<frmPreferences> form = open(folder);
    EXPECT_TRUE(form->chkSplash->isChecked());
    EXPECT_TRUE(form->chkStatusBar->isChecked());
    EXPECT_TRUE(form->chkLoadDialog->isChecked());
    EXPECT_FALSE(QFileInfo::exists(path)) << "opening must not create the file";

    form->chkStatusBar->setChecked(false);
    QTest::mouseClick(form->btnApply, Qt::LeftButton);
    EXPECT_EQ(readFile(path), "[Settings]\nSplashScreen=1\nStatusBar=0\nLoadDialog=1\n");
    EXPECT_TRUE(closedAndGone(form));
}

struct RepairCase
{
    const char *name;
    QByteArray file;
    bool splashChecked, statusChecked, loadChecked;
    QByteArray afterOpening; // the file after opening and Cancel
};

class PreferencesOpening : public ::testing::TestWithParam<RepairCase>
{
};

TEST_P(PreferencesOpening, RepairsValuesOutsideZeroOneEvenWhenCancelled)
{
    ProgramFolder folder;
    const QString path = modINI::configPath(folder.path());
    writeFile(path, GetParam().file);
    QPointer<frmPreferences> form = open(folder);
    EXPECT_EQ(form->chkSplash->isChecked(), GetParam().splashChecked);
    EXPECT_EQ(form->chkStatusBar->isChecked(), GetParam().statusChecked);
    EXPECT_EQ(form->chkLoadDialog->isChecked(), GetParam().loadChecked);

    // Cancel after changing every box: nothing of that reaches the file.
    for (QCheckBox *box : {form->chkSplash, form->chkStatusBar, form->chkLoadDialog})
        box->toggle();
    QTest::mouseClick(form->btnCancel, Qt::LeftButton);
    EXPECT_TRUE(closedAndGone(form));
    EXPECT_EQ(readFile(path), GetParam().afterOpening);
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, PreferencesOpening,
    ::testing::Values(
        RepairCase{"AllValid", "[Settings]\nSplashScreen=0\nStatusBar=1\nLoadDialog=0\n", false,
                   true, false, "[Settings]\nSplashScreen=0\nStatusBar=1\nLoadDialog=0\n"},
        RepairCase{"StatusBarOff", "[Settings]\nStatusBar=0\n", true, false, true,
                   "[Settings]\nStatusBar=0\n"},
        RepairCase{"TooLarge", "[Settings]\nSplashScreen=5\nStatusBar=0\n", true, false, true,
                   "[Settings]\nSplashScreen=1\nStatusBar=0\n"},
        RepairCase{"Negative", "[Settings]\r\nSplashScreen=-2\r\nLoadDialog=32767\r\n", true, true,
                   true, "[Settings]\r\nSplashScreen=1\r\nLoadDialog=1\r\n"},
        // Not a number: reads as the default, so shown checked and left as it is.
        RepairCase{"Letters", "[Settings]\nSplashScreen=abc\nStatusBar=\n", true, true, true,
                   "[Settings]\nSplashScreen=abc\nStatusBar=\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Preferences, ApplyWritesEachBoxAsZeroOrOne)
{
    ProgramFolder folder;
    const QString path = modINI::configPath(folder.path());
    writeFile(path, "; mine\n[Settings]\nLoadDialog=1\nStatusBar=0\nSplashScreen=1\n");
    QPointer<frmPreferences> form = open(folder);
    form->chkSplash->setChecked(false);
    form->chkStatusBar->setChecked(true);
    form->chkLoadDialog->setChecked(false);
    QTest::mouseClick(form->btnApply, Qt::LeftButton);
    EXPECT_EQ(readFile(path), "; mine\n[Settings]\nLoadDialog=0\nStatusBar=1\nSplashScreen=0\n");
}

TEST(Preferences, KeyboardEnterAppliesEscapeCancelsTabFollowsTheBoxes)
{
    ProgramFolder folder;
    const QString path = modINI::configPath(folder.path());

    QPointer<frmPreferences> form = open(folder);
    QList<QWidget *> order;
    QWidget *w = form->chkSplash;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order.append(w);
        w = w->nextInFocusChain();
    } while (w != form->chkSplash && order.size() < 10);
    EXPECT_EQ(order, (QList<QWidget *>{form->chkSplash, form->chkStatusBar, form->chkLoadDialog,
                                       form->txtGameData, form->btnGameData, form->cboLanguage,
                                       form->btnCancel, form->btnApply}));

    QTest::keyClick(form->chkLoadDialog, Qt::Key_Escape);
    EXPECT_TRUE(closedAndGone(form));
    EXPECT_FALSE(QFileInfo::exists(path));

    form = open(folder);
    form->chkSplash->setChecked(false);
    QTest::keyClick(form->chkStatusBar, Qt::Key_Return);
    EXPECT_TRUE(closedAndGone(form));
    EXPECT_EQ(setting(folder, "SplashScreen"), "0");

    // Enter on a focused Cancel is Cancel, not Apply.
    form = open(folder);
    form->chkSplash->setChecked(true);
    QTest::keyClick(form->btnCancel, Qt::Key_Return);
    EXPECT_TRUE(closedAndGone(form));
    EXPECT_EQ(setting(folder, "SplashScreen"), "0");
}

TEST(Preferences, ButtonsCloseTheEnclosingSubWindow)
{
    ProgramFolder folder;
    QMdiArea area;
    area.show();
    for (const bool apply : {false, true}) {
        auto *form = new frmPreferences(folder.path());
        QPointer<QMdiSubWindow> sub = area.addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        QTest::mouseClick(apply ? form->btnApply : form->btnCancel, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(sub.isNull() || !sub->isVisible());
        EXPECT_TRUE(area.subWindowList().isEmpty());
    }
    EXPECT_EQ(setting(folder, "LoadDialog"), "1");
}

TEST(Preferences, GameDataFolderIsChosenCheckedAndStored)
{
    qunsetenv("VELMORA_GAME_DATA");
    ProgramFolder folder;
    const QString path = modINI::configPath(folder.path());
    testsupport::ScriptedDialogs dialogs;
    const auto openWith = [&] {
        auto *form = new frmPreferences(folder.path());
        form->setDialogs(&dialogs);
        form->show();
        return QPointer<frmPreferences>(form);
    };
    const auto gameFolder = [&](const QString &name) {
        const QString dir = folder.file(name);
        testsupport::SyntheticTileset::make().writeFolder(dir + "/tileset", "badlands");
        return dir;
    };
    struct Case
    {
        const char *name;
        QString typed;       // put in the field; "browse:" + folder goes through Browse
        bool accepted;       // the dialog closes and the folder is stored
    };
    const QString plain = gameFolder("game");
    const QString cyrillic = gameFolder(QString::fromUtf8("игра 100%"));
    const std::vector<Case> cases{
        {"browse", "browse:" + plain, true},
        {"typed, outside 8-bit text", cyrillic, true},
        {"a folder without game data", folder.file("empty"), false},
        {"a folder that does not exist", folder.file("gone"), false},
        {"a path too long to keep", plain + "/" + QString(130, 'x'), false},
        {"cleared", "", true},
    };
    QDir().mkpath(folder.file("empty"));
    QString stored;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<frmPreferences> form = openWith();
        dialogs.asked.clear();
        if (c.typed.startsWith("browse:")) {
            dialogs.fileAnswers.push_back(c.typed.mid(7));
            form->btnGameData->click();
            EXPECT_EQ(form->txtGameData->text(), QDir::toNativeSeparators(c.typed.mid(7)));
        } else {
            form->txtGameData->setText(c.typed);
        }
        const QByteArray before = readFile(path);
        form->btnApply->click();
        EXPECT_EQ(closedAndGone(form), c.accepted);
        EXPECT_EQ(dialogs.messages().size(), c.accepted ? 0 : 1);
        if (c.accepted)
            stored = c.typed.startsWith("browse:") ? c.typed.mid(7) : c.typed;
        else
            EXPECT_EQ(readFile(path), before);
        EXPECT_EQ(terrain::storedGameDataFolder(path), stored);
        if (form)
            form->close();
    }
    // A stored folder shows when the dialog opens again.
    ASSERT_TRUE(terrain::storeGameDataFolder(path, plain).ok());
    QPointer<frmPreferences> form = openWith();
    EXPECT_EQ(form->txtGameData->text(), QDir::toNativeSeparators(plain));
    form->btnCancel->click();
}

namespace {

// The language row: the stored choice is shown (an unknown one as System), Apply stores
// another choice and leaves a file alone whose choice did not change.
TEST(Preferences, LanguageIsShownAndStoredOnlyWhenChanged)
{
    struct Case
    {
        QByteArray file;
        const char *choose; ///< the entry's data, or nullptr to leave the shown one
        const char *shown;
        QByteArray after;
    };
    const QByteArray boxes = "SplashScreen=1\nStatusBar=1\nLoadDialog=1\n";
    const Case cases[] = {
        {"", nullptr, "system", "[Settings]\n" + boxes},
        {"[Settings]\nLanguage=DE\n", nullptr, "de", "[Settings]\nLanguage=DE\n" + boxes},
        {"[Settings]\nLanguage=xx\n", nullptr, "system", "[Settings]\nLanguage=xx\n" + boxes},
        {"", "ko", "system", "[Settings]\n" + boxes + "Language=ko\n"},
        {"[Settings]\nLanguage=ko\n", "system", "ko", "[Settings]\nLanguage=system\n" + boxes},
        {"[Settings]\nLanguage=ko\n", "en", "ko", "[Settings]\nLanguage=en\n" + boxes},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString() + (c.choose ? c.choose : "-"));
        ProgramFolder folder;
        const QString path = modINI::configPath(folder.path());
        if (!c.file.isEmpty())
            writeFile(path, c.file);
        QPointer<frmPreferences> form = open(folder);
        EXPECT_EQ(form->cboLanguage->currentData().toString(), QString::fromLatin1(c.shown));
        EXPECT_EQ(form->cboLanguage->count(), 4);
        if (c.choose)
            form->cboLanguage->setCurrentIndex(form->cboLanguage->findData(QString::fromLatin1(c.choose)));
        form->btnApply->click();
        ASSERT_TRUE(closedAndGone(form));
        EXPECT_EQ(readFile(path), c.after);
    }
}

} // namespace
