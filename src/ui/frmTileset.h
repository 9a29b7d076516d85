#pragma once

#include "core/common/Result.h"
#include "core/scenario/Tileset.h"
#include "ui/ChildDialog.h"

#include <QString>

#include <functional>

class QComboBox;
class QPushButton;

/// Where the tileset dialog reads and writes the map's tileset (the map session, in the
/// program).
struct TilesetAccess
{
    std::function<Result<tileset::TilesetByte>()> read;
    /// Writes tileset `number` where the dialog read it (`position`).
    std::function<Status(int number, qint32 position)> write;
};

/// The tileset dialog: shows the map's tileset from the working scenario file and writes
/// the user's choice back as the one "ERA " byte. Non-modal, shown inside the main window.
class frmTileset : public ChildDialog
{
    Q_OBJECT

public:
    /// Runs the opening steps at once: reads the tileset through `access` and selects it
    /// (nothing selected for a number beyond the eight). When the scenario has no "ERA "
    /// section, or ends before its first data byte, nothing is selected and Apply is
    /// disabled.
    explicit frmTileset(TilesetAccess access, QWidget *parent = nullptr);

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

    TilesetAccess m_access;
};
