#pragma once

#include "core/common/OutputTarget.h"
#include "core/tileset/TileMap.h"

#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QToolButton;
class QLabel;
class QPushButton;
class TerrainView;
class UserDialogs;

namespace terrain {
class TileGraphics;
}

/// The terrain preview tool window: the working copy's terrain drawn with the tileset
/// graphics of the user's game data, zoomable, with the tile under the mouse in its status
/// line and an export to PNG.
class frmTerrainPreview : public QWidget
{
    Q_OBJECT

public:
    explicit frmTerrainPreview(UserDialogs &dialogs, QWidget *parent = nullptr);

    /// Shows `map` drawn with `graphics`.
    void showTerrain(terrain::TileMap map, std::shared_ptr<const terrain::TileGraphics> graphics);
    /// What the terrain shown is read from: the map `mapPath` and the game data `gameData`
    /// folder. Export PNG never writes onto either (or anything inside the folder).
    void setSources(const QString &mapPath, const QString &gameData);
    /// Shows no terrain, only the one-line `reason`.
    void showUnavailable(const QString &reason);
    /// The picture window's cells (map-sized, one pixel a tile), shown in place of the
    /// terrain while the Picture toggle is on.
    void setPicture(const QImage &picture);

    QComboBox *cboZoom = nullptr;
    QComboBox *cboExportScale = nullptr;
    QPushButton *btnExport = nullptr;
    /// Shows the picture's cells instead of the terrain (key P).
    QAction *mnuShowPicture = nullptr;
    QToolButton *btnPicture = nullptr;
    TerrainView *picTerrain = nullptr;
    QLabel *lblUnavailable = nullptr;
    QLabel *staTerrain = nullptr;

public slots:
    void btnExport_Click();

private:
    void showHovered(QPoint tile);
    QString summary() const;

    UserDialogs &m_dialogs;
    QString m_lastExport;
    QList<outputtarget::Input> m_sources;
};
