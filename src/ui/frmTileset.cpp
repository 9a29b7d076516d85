#include "ui/frmTileset.h"

#include "core/scenario/ScenarioFile.h"
#include "core/scenario/Tileset.h"
#include "core/scenario/modFunctions.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>

namespace {

const QByteArray kEra = QByteArrayLiteral("ERA ");

/// The "ERA " position in the file as it is now, or -1. A missing file stays missing:
/// the section search would leave an empty file behind.
qint32 currentEraPosition(const QString &path, Outcome *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = Outcome::failure(
            QStringLiteral("The map's working file is gone. Load the map again."));
        return -1;
    }
    const qint32 r = modFunctions::FindSection(path, kEra, error);
    if (r < 0 && error->ok())
        *error = Outcome::failure(
            QStringLiteral("The map has no tileset section, so its tileset cannot be changed."));
    return r;
}

} // namespace

frmTileset::frmTileset(const QString &scenarioPath, QWidget *parent)
    : ChildDialog(parent)
    , cmbTileset(new QComboBox(this))
    , btnCancel(new QPushButton(QStringLiteral("&Cancel"), this))
    , btnApply(new QPushButton(QStringLiteral("&Apply"), this))
    , m_scenarioPath(scenarioPath)
{
    setObjectName(QStringLiteral("frmTileset"));
    setWindowTitle(QStringLiteral("::Change Tileset::::...."));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(185, 62);

    cmbTileset->setObjectName(QStringLiteral("cmbTileset"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply->setObjectName(QStringLiteral("btnApply"));

    cmbTileset->setEditable(false);
    cmbTileset->addItems(scenario::tilesetNames());
    cmbTileset->setCurrentIndex(-1);
    cmbTileset->setAccessibleName(QStringLiteral("Tileset"));
    cmbTileset->setGeometry(8, 8, 169, 21);
    btnCancel->setGeometry(80, 35, 49, 20);
    btnApply->setGeometry(128, 35, 49, 20);

    // A focused button takes Enter itself; elsewhere Enter is Apply (see ChildDialog).
    btnCancel->setAutoDefault(true);
    btnApply->setAutoDefault(true);
    btnApply->setDefault(true);
    setDialogButtons(btnApply, btnCancel);

    setTabOrder(cmbTileset, btnCancel);
    setTabOrder(btnCancel, btnApply);

    connect(btnApply, &QPushButton::clicked, this, &frmTileset::btnApply_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmTileset::btnCancel_Click);

    Form_Load();
    cmbTileset->setFocus();
}

void frmTileset::Form_Load()
{
    Outcome error = Outcome::success();
    const qint32 r = currentEraPosition(m_scenarioPath, &error);
    const std::optional<quint8> value = tileset::readTileset(m_scenarioPath, r);
    // Without a readable tileset byte there is no place to write one.
    lngEraPosition = value ? r : -1;
    btnApply->setEnabled(value.has_value());
    if (value && *value < scenario::tilesetNames().size())
        cmbTileset->setCurrentIndex(*value);
}

void frmTileset::btnApply_Click()
{
    const qsizetype number = scenario::tilesetNames().indexOf(cmbTileset->currentText());
    if (number >= 0 && lngEraPosition >= 0) {
        // The file may have been replaced since the dialog opened (another map load):
        // write only where this dialog read, and only if "ERA " is still there.
        Outcome error = Outcome::success();
        const qint32 now = currentEraPosition(m_scenarioPath, &error);
        Outcome written = error;
        if (error.ok() && now != lngEraPosition)
            written = Outcome::failure(QStringLiteral(
                "The map changed while the tileset dialog was open. Open the dialog again."));
        else if (error.ok())
            written = tileset::writeTileset(m_scenarioPath, lngEraPosition, quint8(number));
        if (!written.ok())
            emit failed(written.reason());
        else
            emit applied();
    }
    closeForm();
}

void frmTileset::btnCancel_Click()
{
    closeForm();
}
