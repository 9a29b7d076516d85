// The preferences dialog: what it shows, what it repairs, and what Apply and Cancel write.
#include "ui/frmPreferences.h"

#include "TestSupport.h"
#include "core/settings/modINI.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

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

} // namespace

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
