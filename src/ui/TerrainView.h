#pragma once

#include "core/tileset/TileMap.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <memory>

namespace terrain {
class TerrainRenderer;
class TileGraphics;
} // namespace terrain

/// A scrolling view of a map's terrain that draws only the tiles in sight, at 1 to 32
/// pixels per tile or fitted to the window.
class TerrainView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    /// Zoom levels in pixels per tile; 0 is "fit".
    static const QList<int> &zoomLevels();

    explicit TerrainView(QWidget *parent = nullptr);
    ~TerrainView() override;

    void setTerrain(terrain::TileMap map, std::shared_ptr<const terrain::TileGraphics> graphics);
    void clearTerrain();
    bool hasTerrain() const { return m_renderer != nullptr; }
    const terrain::TileMap &tileMap() const { return m_map; }

    /// A map-sized picture (one pixel per tile) drawn in place of the terrain while
    /// showsPicture(); a null one or one of another size is never drawn.
    void setPicture(const QImage &picture);
    void setShowsPicture(bool shows);
    bool showsPicture() const { return m_showsPicture; }

    /// Pixels per tile (one of zoomLevels(); 0 = fit).
    void setZoom(int tileSize);
    int zoom() const { return m_zoom; }
    /// Pixels per tile on screen now (the fitted size when zoom() is 0).
    int tileSize() const;
    void zoomIn();
    void zoomOut();

    /// Map positions drawn with the "missing tile" pattern.
    int missingTiles() const { return m_missing; }
    /// The whole map at `tileSize` pixels per tile.
    QImage renderAll(int tileSize) const;
    /// The tile at viewport point `point`, or (-1, -1) outside the map.
    QPoint tileAt(QPoint point) const;

signals:
    void zoomChanged(int zoom);
    /// The mouse is over tile `tile` (-1, -1: over no tile).
    void hovered(QPoint tile);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void updateScrollBars();
    int fitSize() const;
    /// Where the map's top-left corner is drawn in the viewport.
    QPoint origin() const;

    terrain::TileMap m_map;
    std::unique_ptr<terrain::TerrainRenderer> m_renderer;
    int m_zoom = 0;
    QImage m_picture;
    bool m_showsPicture = false;
    int m_missing = 0;
};
