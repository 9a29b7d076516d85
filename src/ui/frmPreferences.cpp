#include "ui/frmPreferences.h"

#include "core/common/FileIdentity.h"
#include "core/settings/Language.h"
#include "core/settings/Settings.h"
#include "ui/FormFit.h"
#include "core/tileset/GameData.h"
#include "core/tileset/TerrainSource.h"
#include "ui/UserDialogs.h"

#include "core/common/UserText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <array>

namespace {

/// The on/off settings, in the order of their boxes.
const std::array<const settings::Number *, 3> kBoxKeys{&settings::SplashScreen, &settings::StatusBar,
                                                       &settings::LoadDialog};

QString whySettingsUnwritable(const QString &path)
{
    const QFileInfo file(path);
    if (file.isDir())
        return frmPreferences::tr("a folder has that name");
    if (const fileidentity::FileType type = fileidentity::typeOf(path);
        type != fileidentity::FileType::Missing && type != fileidentity::FileType::Regular)
        return frmPreferences::tr("it is %1, not a regular file").arg(fileidentity::typeName(type));
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return whyFolderUnusable(folder.filePath());
    return frmPreferences::tr("the file cannot be written; it may be read-only or too large "
                              "to be a settings file");
}

} // namespace

frmPreferences::frmPreferences(const QString &programDir, QWidget *parent)
    : frmPreferences(AppPaths::portable(programDir), parent)
{
}

frmPreferences::frmPreferences(const AppPaths &paths, QWidget *parent)
    : ChildDialog(parent)
    , lblGeneral(new QLabel(tr("::General::::...."), this))
    , chkSplash(new QCheckBox(tr("Show splash screen"), this))
    , chkStatusBar(new QCheckBox(tr("Enable status bar"), this))
    , chkLoadDialog(new QCheckBox(tr("Show load dialog on start"), this))
    , lblGameData(new QLabel(tr("&Game data folder:"), this))
    , txtGameData(new QLineEdit(this))
    , btnGameData(new QPushButton(tr("&Browse..."), this))
    , lblLanguage(new QLabel(tr("La&nguage:"), this))
    , cboLanguage(new QComboBox(this))
    , lblLanguageNote(new QLabel(tr("From the next start."), this))
    , btnCancel(new QPushButton(tr("&Cancel"), this))
    , btnApply(new QPushButton(tr("&Apply"), this))
    , m_configFile(paths.configFile)
{
    setObjectName(QStringLiteral("frmPreferences"));
    setWindowTitle(tr("Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(300, 180);

    lblGeneral->setObjectName(QStringLiteral("lblGeneral"));
    chkSplash->setObjectName(QStringLiteral("chkSplash"));
    chkStatusBar->setObjectName(QStringLiteral("chkStatusBar"));
    chkLoadDialog->setObjectName(QStringLiteral("chkLoadDialog"));
    lblGameData->setObjectName(QStringLiteral("lblGameData"));
    txtGameData->setObjectName(QStringLiteral("txtGameData"));
    btnGameData->setObjectName(QStringLiteral("btnGameData"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply->setObjectName(QStringLiteral("btnApply"));
    lblLanguage->setObjectName(QStringLiteral("lblLanguage"));
    cboLanguage->setObjectName(QStringLiteral("cboLanguage"));
    lblLanguageNote->setObjectName(QStringLiteral("lblLanguageNote"));

    lblGeneral->setGeometry(8, 8, 153, 17);
    chkSplash->setGeometry(24, 24, 185, 17);
    chkStatusBar->setGeometry(24, 40, 177, 17);
    chkLoadDialog->setGeometry(24, 56, 193, 17);
    lblGameData->setGeometry(8, 80, 284, 17);
    txtGameData->setGeometry(24, 98, 200, 20);
    btnGameData->setGeometry(228, 98, 64, 20);
    lblLanguage->setGeometry(8, 126, 68, 17);
    cboLanguage->setGeometry(80, 124, 96, 20);
    lblLanguageNote->setGeometry(180, 126, 112, 17);
    btnCancel->setGeometry(195, 152, 49, 20);
    btnApply->setGeometry(243, 152, 49, 20);
    lblGameData->setBuddy(txtGameData);
    txtGameData->setAccessibleName(tr("Game data folder"));
    txtGameData->setToolTip(tr("The Remastered installation (with .build.info and Data), the "
                               "classic game's folder (with StarDat.mpq), or a folder of "
                               "extracted tileset files. Empty: no terrain graphics."));
    btnGameData->setEnabled(false);
    lblLanguage->setBuddy(cboLanguage);
    cboLanguage->addItem(tr("System"), QString::fromLatin1(language::System));
    cboLanguage->addItem(QStringLiteral("English"), QString::fromLatin1(language::English));
    for (const QString &code : language::translated())
        cboLanguage->addItem(QLocale(code).nativeLanguageName(), code);
    cboLanguage->setToolTip(tr("The language of the windows, from the next start. System: the "
                               "desktop's language."));

    // A focused button takes Enter itself; elsewhere Enter is Apply (see ChildDialog).
    btnCancel->setAutoDefault(true);
    btnApply->setAutoDefault(true);
    btnApply->setDefault(true);
    setDialogButtons(btnApply, btnCancel);

    setTabOrder(chkSplash, chkStatusBar);
    setTabOrder(chkStatusBar, chkLoadDialog);
    setTabOrder(chkLoadDialog, txtGameData);
    setTabOrder(txtGameData, btnGameData);
    setTabOrder(btnGameData, cboLanguage);
    setTabOrder(cboLanguage, btnCancel);
    setTabOrder(btnCancel, btnApply);

    connect(btnApply, &QPushButton::clicked, this, &frmPreferences::btnApply_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmPreferences::btnCancel_Click);
    connect(btnGameData, &QPushButton::clicked, this, &frmPreferences::btnGameData_Click);

    fitFormToTexts(this);
    Form_Load();
    chkSplash->setFocus();
}

void frmPreferences::Form_Load()
{
    const QString &path = m_configFile;
    // A value outside 0..1 is put back to the default before the boxes show anything, all in
    // one replacement of the file; a value that is no number at all already reads as the
    // default and is left as it is.
    settings::Changes repairs;
    for (const settings::Number *key : kBoxKeys)
        if (!key->holds(settings::read(path, *key)))
            repairs.set(*key, key->fallback);
    if (!repairs.isEmpty())
        (void)repairs.store(path);
    const std::array<QCheckBox *, 3> boxes{chkSplash, chkStatusBar, chkLoadDialog};
    for (std::size_t i = 0; i < kBoxKeys.size(); ++i)
        boxes[i]->setChecked(settings::read(path, *kBoxKeys[i]) != 0);
    txtGameData->setText(QDir::toNativeSeparators(terrain::storedGameDataFolder(path)));
    const int shown = cboLanguage->findData(language::stored(path));
    cboLanguage->setCurrentIndex(shown < 0 ? 0 : shown);
}

void frmPreferences::btnApply_Click()
{
    const QString &path = m_configFile;
    // The per-user settings folder may not exist yet.
    const QString folder = QFileInfo(path).absolutePath();
    bool stored = makeFolder(folder, false);
    // Every value goes into the file in one replacement. A game data folder that cannot be
    // used keeps the dialog open to be corrected.
    settings::Changes changes;
    if (stored && !applyGameData(&changes))
        return;
    const std::array<const QCheckBox *, 3> boxes{chkSplash, chkStatusBar, chkLoadDialog};
    for (std::size_t i = 0; i < kBoxKeys.size(); ++i)
        changes.set(*kBoxKeys[i], boxes[i]->isChecked() ? 1 : 0);
    applyLanguage(&changes);
    stored = stored && changes.store(path);
    closeForm();
    // The dialog closes either way; the user learns that the settings were not kept.
    if (!stored)
        emit failed(tr("The settings could not be saved to \"%1\": %2.")
                        .arg(shownPath(path), whySettingsUnwritable(path)));
}

void frmPreferences::btnCancel_Click()
{
    closeForm();
}

void frmPreferences::setDialogs(UserDialogs *dialogs)
{
    m_dialogs = dialogs;
    btnGameData->setEnabled(m_dialogs != nullptr);
}

void frmPreferences::btnGameData_Click()
{
    if (!m_dialogs)
        return;
    const QString chosen =
        m_dialogs->getExistingDirectory(this, tr("Game Data Folder"), txtGameData->text());
    if (!chosen.isEmpty())
        txtGameData->setText(QDir::toNativeSeparators(chosen));
}

bool frmPreferences::applyGameData(settings::Changes *changes)
{
    const QString folder = QDir::fromNativeSeparators(txtGameData->text().trimmed());
    if (folder == terrain::storedGameDataFolder(m_configFile))
        return true;
    Status usable = Status::success();
    if (!folder.isEmpty())
        usable = terrain::GameData::locate(folder, nullptr);
    if (usable)
        usable = terrain::setGameDataFolder(changes, folder);
    if (!usable && m_dialogs)
        m_dialogs->showMessage(this, QMessageBox::Warning, tr("Preferences"), usable.reason());
    return usable.ok();
}

void frmPreferences::applyLanguage(settings::Changes *changes) const
{
    const QString chosen = cboLanguage->currentData().toString();
    const QString before = language::stored(m_configFile);
    // A file without the key keeps its bytes; an unknown stored value shows as System and is
    // left alone unless another language is chosen.
    if (chosen == before || (cboLanguage->findData(before) < 0 && chosen == QLatin1String(language::System)))
        return;
    (void)changes->set(settings::Language, chosen);
}
