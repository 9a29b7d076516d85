// The windows in the desktop's language: CTest runs this program under C, en_US, ko_KR and
// de_DE. Through QAccessible (what a screen reader hears) the menus, the buttons and the
// status line speak that language; under English every text is exactly the long-standing
// English one. In every language each menu and each window has distinct access keys.
#include "MainWindowFixture.h"

#include "core/settings/Language.h"
#include "ui/frmPreferences.h"
#include "ui/frmTileset.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QPushButton>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>

namespace {

QString spokenLanguage()
{
    return language::choose(QString::fromLatin1(language::System), QLocale::system().uiLanguages(),
                            language::translated());
}

/// What a screen reader says for each child of `widget`'s accessible object, in order,
/// access-key marks left out.
QStringList spokenChildren(QObject *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    EXPECT_NE(face, nullptr);
    QStringList names;
    for (int i = 0; face && i < face->childCount(); ++i)
        if (QAccessibleInterface *child = face->child(i); child && !child->text(QAccessible::Name).isEmpty())
            names << child->text(QAccessible::Name);
    return names;
}

QString spoken(QObject *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

bool isKorean(const QString &text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3; });
}

/// The access key of a caption ("&&" is a literal ampersand), or a null character.
QChar accessKey(QString text)
{
    text.remove(QStringLiteral("&&"));
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
}

/// Expects the access keys of `captions` to be distinct.
void expectDistinctKeys(const QString &where, const QStringList &captions)
{
    QMap<QChar, QString> seen;
    for (const QString &caption : captions) {
        const QChar key = accessKey(caption);
        if (key.isNull())
            continue;
        EXPECT_FALSE(seen.contains(key)) << where.toStdString() << ": " << caption.toStdString()
                                         << " and " << seen.value(key).toStdString();
        seen.insert(key, caption);
    }
}

QStringList actionTexts(const QWidget *w)
{
    QStringList texts;
    for (const QAction *a : w->actions())
        texts << a->text();
    return texts;
}

/// Every caption of a window with an access key: buttons, labels and its own actions.
QStringList windowCaptions(const QWidget *form)
{
    QStringList texts = actionTexts(form);
    for (const QAbstractButton *b : form->findChildren<QAbstractButton *>())
        texts << b->text();
    for (const QLabel *l : form->findChildren<QLabel *>())
        texts << l->text();
    return texts;
}

class Language : public MainWindowTest
{
};

TEST_F(Language, MenusButtonsAndStatusLineSpeakTheDesktopsLanguage)
{
    const QString code = spokenLanguage();
    RecordProperty("language", code.toStdString());
    // CTest's ko_KR and de_DE runs are those languages, whatever else the machine has.
    if (const QString desktop = qEnvironmentVariable("LANG").left(2); desktop == "ko" || desktop == "de")
        EXPECT_EQ(code, desktop);
    start();
    window->show();
    const QStringList menus = spokenChildren(window->menuBar());
    QStringList items;
    for (QMenu *menu : {window->mnuFile, window->mnuEdit, window->mnuConversion, window->mnuTools,
                        window->mnuHelp})
        items += spokenChildren(menu);
    window->mnuPreferences->trigger();
    auto *preferences = qobject_cast<frmPreferences *>(window->preferencesWindow()->widget());
    ASSERT_NE(preferences, nullptr);
    const QStringList form{spoken(preferences->lblGeneral), spoken(preferences->chkSplash),
                           spoken(preferences->chkStatusBar), spoken(preferences->chkLoadDialog),
                           spoken(preferences->btnCancel), spoken(preferences->btnApply)};
    const QString status = spoken(window->staStatus);

    if (code == QLatin1String("en")) {
        EXPECT_EQ(menus, (QStringList{"File", "Edit", "Conversion", "Tools", "Help"}));
        EXPECT_EQ(items, (QStringList{"Load Map", "Recent Maps", "Save Map", "Save Map As...",
                                      "Exit", "Undo", "Redo", "Convert", "Convert & Save", "Vary Tiles", "Change Tileset",
                                      "Terrain Preview", "Preferences", "About", "Readme",
                                      "Cool Stuff!"}));
        EXPECT_EQ(form, (QStringList{"::General::::....", "Show splash screen",
                                     "Enable status bar", "Show load dialog on start", "Cancel",
                                     "Apply"}));
        EXPECT_EQ(status, "Initialized.");
        EXPECT_EQ(window->windowTitle(), "::[Velmora]::[Version 1.1]::[No File Loaded]::....");
    } else if (code == QLatin1String("de")) {
        EXPECT_EQ(menus, (QStringList{"Datei", "Bearbeiten", "Umwandlung", "Werkzeuge", "Hilfe"}));
        EXPECT_EQ(items.first(), "Karte laden");
        EXPECT_EQ(form.mid(4), (QStringList{"Abbrechen", "Übernehmen"}));
        EXPECT_EQ(status, "Bereit.");
    } else {
        ASSERT_EQ(code, "ko");
        for (const QString &text : menus + items.mid(0, items.size() - 1) + form + QStringList{status})
            EXPECT_TRUE(isKorean(text)) << text.toStdString();
    }
    EXPECT_EQ(menus.size(), 5);
    EXPECT_EQ(items.size(), 16);
}

TEST_F(Language, AccessKeysAreDistinctInEachMenuAndEachWindow)
{
    start();
    loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
    expectDistinctKeys(QStringLiteral("menu bar"), actionTexts(window->menuBar()));
    for (QMenu *menu : window->menuBar()->findChildren<QMenu *>())
        expectDistinctKeys(menu->title(), actionTexts(menu));
    window->mnuPreferences->trigger();
    window->mnuTileset->trigger();
    window->showColorList();
    const QList<QWidget *> forms{window->preferencesWindow()->widget(),
                                 window->tilesetWindow()->widget(), window->existingColorList(),
                                 window->pictureWindow()};
    for (QWidget *form : forms) {
        ASSERT_NE(form, nullptr);
        const QStringList captions = windowCaptions(form);
        EXPECT_GE(captions.size(), 2) << form->objectName().toStdString();
        expectDistinctKeys(form->objectName(), captions);
    }
}

} // namespace
