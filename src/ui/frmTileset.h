#pragma once

#include <QString>
#include "ui/ChildDialog.h"

class QComboBox;
class QPushButton;

/// The tileset dialog: shows the map's tileset from the working scenario file and writes
/// the user's choice back as the one "ERA " byte. Non-modal, shown inside the main window.
class frmTileset : public ChildDialog
{
    Q_OBJECT

public:
    /// Runs the opening steps at once: finds "ERA " in `scenarioPath` and selects the
    /// stored tileset (nothing selected for a number beyond the eight). When the file has
    /// no "ERA " section, or ends before its first data byte, nothing is selected and
    /// Apply is disabled.
    /// `mapName` is the user's map, named in messages instead of the working file.
    explicit frmTileset(const QString &scenarioPath, const QString &mapName = {},
                        QWidget *parent = nullptr);

    /// The "ERA " position the opening read from; Apply writes at the same place.
    /// -1 when there is no place to write.
    qint32 lngEraPosition = -1;
    QComboBox *cmbTileset;
    QPushButton *btnCancel;
    QPushButton *btnApply;

signals:
    /// Apply wrote the chosen tileset into the working scenario.
    void applied();
    /// Apply could not write the tileset; `reason` is a sentence for the user. The dialog
    /// still closes and the file is as it was.
    void failed(const QString &reason);

private:
    void Form_Load();
    void btnApply_Click();
    void btnCancel_Click();

    QString m_scenarioPath;
    QString m_mapName;
};
