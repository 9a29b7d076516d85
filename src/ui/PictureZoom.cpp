#include "ui/PictureZoom.h"

#include <algorithm>
#include <cmath>

namespace picturezoom {

int stepIn(double factor)
{
    for (int step : Steps)
        if (step > factor)
            return step;
    return Steps[std::size(Steps) - 1];
}

int stepOut(double factor)
{
    for (auto it = std::rbegin(Steps); it != std::rend(Steps); ++it)
        if (*it < factor)
            return *it;
    return Steps[0];
}

double fitFactor(QSize map, QSize room)
{
    if (map.isEmpty() || room.isEmpty())
        return 1.0;
    const double fit = std::min(double(room.width()) / map.width(),
                                double(room.height()) / map.height());
    if (fit >= 1.0)
        return std::min(std::floor(fit), double(Steps[std::size(Steps) - 1]));
    return std::max(fit, 1.0 / 16);
}

QPixmap render(const QImage &picture, QSize map, double factor)
{
    if (picture.isNull())
        return {};
    if (factor == 1.0)
        return QPixmap::fromImage(picture);
    // Only the part inside the box is scaled, so a huge picture costs no more than the box.
    const QImage area = picture.copy(QRect(QPoint(0, 0), map).intersected(picture.rect()));
    const QSize size(std::max(1, int(std::lround(area.width() * factor))),
                     std::max(1, int(std::lround(area.height() * factor))));
    return QPixmap::fromImage(area.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace picturezoom
