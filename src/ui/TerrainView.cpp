#include "ui/TerrainView.h"

#include "core/qtimage/QtImage.h"
#include "core/tileset/TerrainRenderer.h"
#include "core/tileset/TileGraphics.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

const QList<int> &TerrainView::zoomLevels()
{
    static const QList<int> levels{0, 4, 8, 16, 32};
    return levels;
}

TerrainView::TerrainView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setObjectName(QStringLiteral("TerrainView"));
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Terrain"));
}

TerrainView::~TerrainView() = default;

void TerrainView::setTerrain(terrain::TileMap map,
                             std::shared_ptr<const terrain::TileGraphics> graphics)
{
    m_map = std::move(map);
    m_renderer = std::make_unique<terrain::TerrainRenderer>(std::move(graphics));
    // The count covers the whole map, not only what is in sight.
    m_missing = 0;
    for (quint16 value : std::as_const(m_map.values))
        m_missing += m_renderer->graphics().isPresent(value) ? 0 : 1;
    updateScrollBars();
    viewport()->update();
}

void TerrainView::clearTerrain()
{
    m_renderer.reset();
    m_map = {};
    m_missing = 0;
    updateScrollBars();
    viewport()->update();
}

void TerrainView::setPicture(const QImage &picture)
{
    m_picture = picture;
    viewport()->update();
}

void TerrainView::setShowsPicture(bool shows)
{
    m_showsPicture = shows;
    viewport()->update();
}

void TerrainView::setZoom(int tileSize)
{
    if (!zoomLevels().contains(tileSize) || tileSize == m_zoom)
        return;
    // Keep the tile in the middle of the view in the middle.
    const QPoint centre = viewport()->rect().center();
    const QPoint tile = tileAt(centre);
    m_zoom = tileSize;
    updateScrollBars();
    if (tile.x() >= 0) {
        const int size = this->tileSize();
        horizontalScrollBar()->setValue(tile.x() * size + size / 2 - centre.x());
        verticalScrollBar()->setValue(tile.y() * size + size / 2 - centre.y());
    }
    viewport()->update();
    emit zoomChanged(m_zoom);
}

int TerrainView::tileSize() const
{
    return m_zoom > 0 ? m_zoom : fitSize();
}

int TerrainView::fitSize() const
{
    if (m_map.width <= 0 || m_map.height <= 0)
        return 1;
    const QSize room = viewport()->size();
    return std::clamp(std::min(room.width() / m_map.width, room.height() / m_map.height), 1, 32);
}

void TerrainView::zoomIn()
{
    const int now = tileSize();
    for (int level : zoomLevels())
        if (level > now) {
            setZoom(level);
            return;
        }
}

void TerrainView::zoomOut()
{
    const int now = tileSize();
    int chosen = 0;
    for (int level : zoomLevels())
        if (level > 0 && level < now)
            chosen = level;
    // Below the smallest level comes "fit" when fitting is smaller still.
    if (chosen == 0 && fitSize() >= now)
        return;
    setZoom(chosen);
}

QImage TerrainView::renderAll(int tileSize) const
{
    return m_renderer ? qtimage::toImage(m_renderer->render(m_map, tileSize), QImage::Format_RGB32)
                      : QImage();
}

QPoint TerrainView::origin() const
{
    const int size = tileSize();
    const QSize room = viewport()->size();
    const int w = m_map.width * size, h = m_map.height * size;
    // A map smaller than the view sits in its middle.
    return {w < room.width() ? (room.width() - w) / 2 : -horizontalScrollBar()->value(),
            h < room.height() ? (room.height() - h) / 2 : -verticalScrollBar()->value()};
}

QPoint TerrainView::tileAt(QPoint point) const
{
    if (!m_renderer)
        return {-1, -1};
    const int size = tileSize();
    const QPoint at = point - origin();
    if (at.x() < 0 || at.y() < 0 || at.x() >= m_map.width * size || at.y() >= m_map.height * size)
        return {-1, -1};
    return {at.x() / size, at.y() / size};
}

void TerrainView::updateScrollBars()
{
    const int size = tileSize();
    const QSize room = viewport()->size();
    const int w = m_renderer ? m_map.width * size : 0, h = m_renderer ? m_map.height * size : 0;
    horizontalScrollBar()->setRange(0, std::max(0, w - room.width()));
    verticalScrollBar()->setRange(0, std::max(0, h - room.height()));
    horizontalScrollBar()->setPageStep(room.width());
    verticalScrollBar()->setPageStep(room.height());
    horizontalScrollBar()->setSingleStep(size);
    verticalScrollBar()->setSingleStep(size);
}

void TerrainView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Dark));
    if (!m_renderer)
        return;
    // Only the tiles that meet the area to repaint are drawn.
    const int size = tileSize();
    const QPoint o = origin();
    const QRect area = event->rect().translated(-o);
    const QRect tiles(QPoint(std::max(0, area.left() / size), std::max(0, area.top() / size)),
                      QPoint(area.right() / size, area.bottom() / size));
    const QRect clipped = tiles.intersected(QRect(0, 0, m_map.width, m_map.height));
    if (clipped.isEmpty())
        return;
    if (m_showsPicture) {
        // Each cell a square of its pixel's colour, at the terrain's zoom.
        if (m_picture.size() == QSize(m_map.width, m_map.height))
            painter.drawImage(QRect(o + clipped.topLeft() * size, clipped.size() * size), m_picture,
                              clipped);
        return;
    }
    const QImage part = qtimage::toImage(m_renderer->render(m_map, size, clipped), QImage::Format_RGB32);
    painter.drawImage(o + clipped.topLeft() * size, part);
}

void TerrainView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TerrainView::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered(tileAt(event->position().toPoint()));
    QAbstractScrollArea::mouseMoveEvent(event);
}

void TerrainView::leaveEvent(QEvent *event)
{
    emit hovered({-1, -1});
    QAbstractScrollArea::leaveEvent(event);
}

void TerrainView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    if (event->angleDelta().y() > 0)
        zoomIn();
    else if (event->angleDelta().y() < 0)
        zoomOut();
    event->accept();
}

void TerrainView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        return;
    case Qt::Key_Minus:
        zoomOut();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}
