#include "ui/frmTileset.h"

#include "core/scenario/ScenarioFile.h"
#include "ui/FormFit.h"

#include <QComboBox>
#include <QPushButton>

frmTileset::frmTileset(TilesetAccess access, QWidget *parent)
    : ChildDialog(parent)
    , cmbTileset(new QComboBox(this))
    , btnCancel(new QPushButton(tr("&Cancel"), this))
    , btnApply(new QPushButton(tr("&Apply"), this))
    , m_access(std::move(access))
{
    setObjectName(QStringLiteral("frmTileset"));
    setWindowTitle(tr("::Change Tileset::::...."));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(185, 62);

    cmbTileset->setObjectName(QStringLiteral("cmbTileset"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply->setObjectName(QStringLiteral("btnApply"));

    cmbTileset->setEditable(false);
    cmbTileset->addItems(scenario::tilesetNames());
    cmbTileset->setCurrentIndex(-1);
    cmbTileset->setAccessibleName(tr("Tileset"));
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

    fitFormToTexts(this);
    Form_Load();
    cmbTileset->setFocus();
}

void frmTileset::Form_Load()
{
    const Result<tileset::TilesetByte> stored = m_access.read();
    // Without a readable tileset byte there is no place to write one.
    lngEraPosition = stored ? stored->position : -1;
    btnApply->setEnabled(stored.ok());
    if (stored && stored->value < scenario::tilesetNames().size())
        cmbTileset->setCurrentIndex(stored->value);
}

void frmTileset::btnApply_Click()
{
    const std::optional<int> number = scenario::tilesetFromText(cmbTileset->currentText());
    if (number && lngEraPosition >= 0) {
        // Written only where this dialog read: another map may have been loaded since.
        if (Status written = m_access.write(*number, lngEraPosition); !written)
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
