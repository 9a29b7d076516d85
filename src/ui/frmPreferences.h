#pragma once

#include "core/settings/AppPaths.h"

#include <QString>
#include "ui/ChildDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UserDialogs;
namespace settings {
class Changes;
}

/// The preferences dialog: the three on/off settings of the settings file, the game data
/// folder and the language. Non-modal, shown inside the main window; an on/off change and
/// the language take effect at the next start, the game data folder at once.
class frmPreferences : public ChildDialog
{
    Q_OBJECT

public:
    /// Runs the opening steps at once: repairs stored values outside 0..1 and sets the
    /// boxes from the file. Creates no file when there is none.
    explicit frmPreferences(const QString &programDir, QWidget *parent = nullptr);
    /// The same, with the settings file where `paths` puts it.
    explicit frmPreferences(const AppPaths &paths, QWidget *parent = nullptr);

    QLabel *lblGeneral;
    QCheckBox *chkSplash;
    QCheckBox *chkStatusBar;
    QCheckBox *chkLoadDialog;
    QLabel *lblGameData;
    QLineEdit *txtGameData;
    QPushButton *btnGameData;
    QLabel *lblLanguage;
    /// System (the desktop's language), English, then each translation in its own name.
    QComboBox *cboLanguage;
    QLabel *lblLanguageNote;
    QPushButton *btnCancel;
    QPushButton *btnApply;

    /// `dialogs` answers Browse and shows why a game data folder is refused; until it is
    /// set Browse is unavailable.
    void setDialogs(UserDialogs *dialogs);

signals:
    /// Apply could not store the settings: why, naming the file.
    void failed(const QString &reason);

private:
    void Form_Load();
    void btnApply_Click();
    void btnCancel_Click();
    void btnGameData_Click();
    /// Adds a changed game data folder to `changes`; false (with a message) when it cannot be
    /// used.
    bool applyGameData(settings::Changes *changes);
    /// Adds the language to `changes` when another was chosen.
    void applyLanguage(settings::Changes *changes) const;

    QString m_configFile;
    UserDialogs *m_dialogs = nullptr;
};
