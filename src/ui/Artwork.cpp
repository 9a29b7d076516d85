#include "ui/Artwork.h"

#include <QCoreApplication>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>

namespace {

const QColor kNight(10, 14, 40);
const QColor kDeep(24, 40, 96);
const QColor kGlow(90, 160, 230);

// Terrain-like colours for the tile grid: grass, earth, water, rock, sand.
const QColor kTileColours[] = {
    QColor(52, 110, 58), QColor(116, 84, 52), QColor(40, 86, 150),
    QColor(96, 100, 110), QColor(176, 152, 96),
};

/// A fixed pseudo-random choice per tile, so the picture is the same on every run.
int tileChoice(int column, int row)
{
    quint32 h = quint32(column) * 73856093u ^ quint32(row) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return int(h % std::size(kTileColours));
}

/// A grid of square tiles across `area`, fading out towards the top.
void drawTileGrid(QPainter &p, const QRect &area, int tile)
{
    p.save();
    p.setClipRect(area);
    for (int row = 0; row * tile < area.height(); ++row) {
        const qreal fade = qreal(row * tile) / qMax(1, area.height());
        for (int column = 0; column * tile < area.width(); ++column) {
            QColor c = kTileColours[tileChoice(column, row)];
            c.setAlphaF(0.25 + 0.6 * fade);
            const QRect r(area.left() + column * tile, area.top() + row * tile, tile - 1, tile - 1);
            p.fillRect(r, c);
        }
    }
    p.restore();
}

void drawBackground(QPainter &p, const QSize &size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, kNight);
    sky.setColorAt(0.6, kDeep);
    sky.setColorAt(1.0, kNight);
    p.fillRect(QRect(QPoint(0, 0), size), sky);

    QRadialGradient glow(size.width() * 0.3, size.height() * 0.35, size.width() * 0.6);
    QColor g = kGlow;
    g.setAlpha(90);
    glow.setColorAt(0.0, g);
    glow.setColorAt(1.0, Qt::transparent);
    p.fillRect(QRect(QPoint(0, 0), size), glow);
}

void drawName(QPainter &p, const QRect &box, int pixelSize)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::PercentageSpacing, 110);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(box.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
    p.setPen(QColor(235, 242, 255));
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Velmora"));
}

void drawSmallText(QPainter &p, const QRect &box, int pixelSize, const QString &text,
                   const QColor &colour, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, align, text);
}

QString versionText()
{
    return QCoreApplication::translate("Artwork", "Version %1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR);
}

QImage newCanvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kNight);
    return image;
}

/// Smooth painting over the night background, with a tile grid of `cell` pixels in `grid`.
void beginPicture(QPainter &p, const QSize &size, const QRect &grid, int cell)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawBackground(p, size);
    drawTileGrid(p, grid, cell);
}

} // namespace

QPixmap splashPicture()
{
    QImage image = newCanvas(448, 298);
    QPainter p(&image);
    beginPicture(p, image.size(), QRect(0, 150, 448, 148), 16);

    // A picture frame standing on the tiles: the program's idea in one glance.
    const QRect frame(300, 40, 112, 84);
    p.setPen(QPen(QColor(220, 230, 255), 2));
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawRect(frame);
    drawTileGrid(p, frame.adjusted(6, 6, -5, -5), 10);

    drawName(p, QRect(32, 48, 260, 64), 52);
    drawSmallText(p, QRect(36, 112, 260, 20), 15, versionText(), QColor(180, 200, 235));
    drawSmallText(p, QRect(36, 132, 300, 18), 12,
                  QCoreApplication::translate("Artwork", "Pictures into map terrain"), QColor(150, 170, 210));
    p.end();
    return QPixmap::fromImage(image);
}

QPixmap aboutPicture()
{
    QImage image = newCanvas(402, 272);
    QPainter p(&image);
    beginPicture(p, image.size(), QRect(0, 176, 402, 96), 12);

    drawName(p, QRect(24, 20, 300, 56), 44);
    drawSmallText(p, QRect(28, 74, 300, 20), 14, versionText(), QColor(180, 200, 235));
    drawSmallText(p, QRect(28, 104, 350, 60), 12,
                  QCoreApplication::translate("Artwork",
                                              "Paints a picture into the terrain of a StarCraft map:\n"
                                              "one pixel, one tile."),
                  QColor(200, 212, 240), Qt::AlignLeft | Qt::AlignTop);

    // Dark field behind the "Close" control, so its white caption stays readable.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(304, 216, 73, 25), QColor(6, 10, 48));
    p.end();
    return QPixmap::fromImage(image);
}

QImage programIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const int cells = size >= 32 ? 4 : 2;
    const int cell = size / cells;
    // Gaps between the tiles grow with the icon so that large sizes keep the same look.
    const int gap = size >= 24 ? qMax(1, size / 48) : 0;
    for (int row = 0; row < cells; ++row)
        for (int column = 0; column < cells; ++column)
            p.fillRect(QRect(column * cell, row * cell, cell - gap, cell - gap),
                       kTileColours[tileChoice(column, row)]);
    // A bold "V" across the tiles.
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(240, 245, 255), qMax(2.0, size / 8.0), Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    p.setPen(pen);
    const qreal m = size * 0.2;
    p.drawPolyline(QPolygonF{QPointF(m, m), QPointF(size / 2.0, size - m), QPointF(size - m, m)});
    p.end();
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(programIconImage(size)));
    return icon;
}
