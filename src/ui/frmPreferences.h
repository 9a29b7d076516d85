#pragma once

#include "core/settings/AppPaths.h"

#include <QString>
#include "ui/ChildDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

/// The preferences dialog: the three on/off settings of the settings file. Non-modal,
/// shown inside the main window; a change takes effect at the next start.
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
    QPushButton *btnCancel;
    QPushButton *btnApply;

signals:
    /// Apply could not store the settings: why, naming the file.
    void failed(const QString &reason);

private:
    void Form_Load();
    void btnApply_Click();
    void btnCancel_Click();

    QString m_configFile;
};
