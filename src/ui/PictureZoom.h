#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>

/// Zoom of the picture window: 1x, 2x, 4x, 8x or "fit", always with sharp pixels.
namespace picturezoom {

/// The steps Zoom In and Zoom Out move through.
inline constexpr int Steps[] = {1, 2, 4, 8};
/// Stands for "fit the window's space" where a factor is expected.
inline constexpr double Fit = 0.0;

/// The next step above / below `factor` (which may be a fitted, fractional one); the
/// largest / smallest step when there is none.
[[nodiscard]] int stepIn(double factor);
[[nodiscard]] int stepOut(double factor);

/// The largest factor at which a `map`-sized picture fits `room`: whole when 1 or more, so
/// every tile is the same number of pixels, fractional only below 1; never above 8 and
/// never below 1/16.
[[nodiscard]] double fitFactor(QSize map, QSize room);

/// What the picture box shows at `factor`: the map-sized top-left area of `picture`, each
/// pixel repeated (nearest neighbour, never blended). At 1x the picture itself.
[[nodiscard]] QPixmap render(const QImage &picture, QSize map, double factor);

} // namespace picturezoom
