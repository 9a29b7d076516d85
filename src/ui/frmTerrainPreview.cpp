#include "ui/frmTerrainPreview.h"

#include "core/common/OutputTarget.h"
#include "core/common/ReplacingFile.h"
#include "core/common/UserText.h"
#include "core/tileset/TerrainSource.h"
#include "core/tileset/TileGraphics.h"
#include "ui/TerrainView.h"
#include "ui/UserDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString zoomText(int tileSize)
{
    return tileSize == 0 ? frmTerrainPreview::tr("Fit")
                         : QStringLiteral("1:%1").arg(32 / tileSize);
}

} // namespace

frmTerrainPreview::frmTerrainPreview(UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmTerrainPreview"));
    setWindowTitle(tr("Terrain Preview"));

    cboZoom = new QComboBox(this);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->setAccessibleName(tr("Zoom"));
    for (int level : TerrainView::zoomLevels())
        cboZoom->addItem(zoomText(level), level);
    cboExportScale = new QComboBox(this);
    cboExportScale->setObjectName(QStringLiteral("cboExportScale"));
    cboExportScale->setAccessibleName(tr("Export scale"));
    for (int size : {32, 16, 8, 4, 2, 1})
        cboExportScale->addItem(tr("%1 px per tile").arg(size), size);
    btnExport = new QPushButton(tr("&Export PNG..."), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));

    // Picture: the picture window's cells at the same zoom, to compare at a glance.
    mnuShowPicture = new QAction(tr("&Picture"), this);
    mnuShowPicture->setObjectName(QStringLiteral("mnuShowPicture"));
    mnuShowPicture->setCheckable(true);
    mnuShowPicture->setShortcut(QKeySequence(Qt::Key_P));
    mnuShowPicture->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    mnuShowPicture->setToolTip(tr("Show the picture's cells in place of the terrain (P)"));
    addAction(mnuShowPicture);
    btnPicture = new QToolButton(this);
    btnPicture->setObjectName(QStringLiteral("btnPicture"));
    btnPicture->setDefaultAction(mnuShowPicture);
    btnPicture->setFocusPolicy(Qt::StrongFocus);
    btnPicture->setAccessibleName(tr("Picture"));

    picTerrain = new TerrainView(this);
    lblUnavailable = new QLabel(this);
    lblUnavailable->setObjectName(QStringLiteral("lblUnavailable"));
    lblUnavailable->setWordWrap(true);
    lblUnavailable->setAlignment(Qt::AlignCenter);
    staTerrain = new QLabel(this);
    staTerrain->setObjectName(QStringLiteral("staTerrain"));

    auto *tools = new QHBoxLayout;
    auto *zoomLabel = new QLabel(tr("&Zoom:"), this);
    zoomLabel->setBuddy(cboZoom);
    tools->addWidget(zoomLabel);
    tools->addWidget(cboZoom);
    tools->addWidget(btnPicture);
    tools->addStretch();
    tools->addWidget(cboExportScale);
    tools->addWidget(btnExport);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(tools);
    layout->addWidget(picTerrain, 1);
    layout->addWidget(lblUnavailable, 1);
    layout->addWidget(staTerrain);
    resize(480, 400);

    connect(cboZoom, &QComboBox::activated, this,
            [this](int index) { picTerrain->setZoom(cboZoom->itemData(index).toInt()); });
    connect(picTerrain, &TerrainView::zoomChanged, this, [this](int zoom) {
        cboZoom->setCurrentIndex(cboZoom->findData(zoom));
    });
    connect(picTerrain, &TerrainView::hovered, this, &frmTerrainPreview::showHovered);
    connect(mnuShowPicture, &QAction::toggled, picTerrain, &TerrainView::setShowsPicture);
    connect(btnExport, &QPushButton::clicked, this, &frmTerrainPreview::btnExport_Click);
    showUnavailable(tr("Load a map to see its terrain."));
}

void frmTerrainPreview::showTerrain(terrain::TileMap map,
                                    std::shared_ptr<const terrain::TileGraphics> graphics)
{
    picTerrain->setTerrain(std::move(map), std::move(graphics));
    picTerrain->show();
    lblUnavailable->hide();
    btnExport->setEnabled(true);
    cboExportScale->setEnabled(true);
    staTerrain->setText(summary());
}

void frmTerrainPreview::setSources(const QString &mapPath, const QString &gameData)
{
    m_sources = {{mapPath, tr("the map the terrain comes from")}};
    if (!gameData.isEmpty())
        m_sources.append(terrain::gameDataInput(gameData));
}

void frmTerrainPreview::showUnavailable(const QString &reason)
{
    picTerrain->clearTerrain();
    picTerrain->hide();
    lblUnavailable->setText(reason);
    lblUnavailable->show();
    btnExport->setEnabled(false);
    cboExportScale->setEnabled(false);
    staTerrain->setText(reason);
}

void frmTerrainPreview::setPicture(const QImage &picture)
{
    picTerrain->setPicture(picture);
}

QString frmTerrainPreview::summary() const
{
    const terrain::TileMap &map = picTerrain->tileMap();
    QString text = tr("%1 x %2 tiles").arg(map.width).arg(map.height);
    if (const int missing = picTerrain->missingTiles(); missing > 0)
        text += tr("; tiles not in the tileset (drawn magenta and black): %1").arg(missing);
    return text;
}

void frmTerrainPreview::showHovered(QPoint tile)
{
    if (tile.x() < 0) {
        staTerrain->setText(summary());
        return;
    }
    const quint16 value = picTerrain->tileMap().at(tile.x(), tile.y());
    staTerrain->setText(tr("Tile (%1, %2): value %3").arg(tile.x()).arg(tile.y()).arg(value));
}

void frmTerrainPreview::btnExport_Click()
{
    if (!picTerrain->hasTerrain())
        return;
    const QString path = m_dialogs.getSaveFileName(this, tr("Export Terrain"), m_lastExport,
                                                   tr("PNG Images (*.png)"));
    if (path.isEmpty())
        return;
    m_lastExport = path;
    // Never onto a device, a pipe, a socket, a folder or what the terrain is read from.
    if (Status usable = outputtarget::check(path, m_sources); !usable) {
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Export Terrain"), usable.reason());
        return;
    }
    const QImage image = picTerrain->renderAll(cboExportScale->currentData().toInt());
    // Written beside the target and renamed over it: a failed export leaves no half file.
    ReplacingFile file(path);
    Status written = image.isNull() ? Status(fail(FailureKind::Output, tr("there is no terrain")))
                                    : file.begin();
    if (written) {
        QImageWriter writer(&file, "png");
        written = writer.write(image) ? file.commit()
                                      : Status(fail(FailureKind::Output, file.errorString()));
    }
    if (!written)
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Export Terrain"),
                              tr("The terrain could not be written to \"%1\" (%2).")
                                  .arg(shownPath(path), written.reason()));
}
