#pragma once

#include "core/picture/PictureReader.h"

#include <QSize>
#include <QString>
#include <QStringView>

#include <optional>

/// Fitting a picture of any size to the map: which part of the picture lands on which tiles,
/// and how the picture pixels under a tile give its colour.
namespace picture {

/// How the picture is laid onto the map.
enum class Fit {
    None,    ///< one pixel per tile from the top-left corner; tiles beyond it have no pixel
    Stretch, ///< the whole picture onto the whole map
    Contain, ///< the whole picture, its shape kept, centred; the other tiles have no pixel
    Cover,   ///< the whole map, from the centred part of the picture of the map's shape
};

/// How the pixels under a tile give its colour.
enum class Resample {
    Area,    ///< their average in linear light, each weighted by the area it overlaps
    Nearest, ///< the pixel under the tile's centre
};

struct FitOptions
{
    Fit fit = Fit::None;
    Resample resample = Resample::Area;

    friend bool operator==(const FitOptions &, const FitOptions &) = default;
};

/// The names the companion and the settings use: "none", "stretch", "contain", "cover".
QString fitName(Fit fit);
std::optional<Fit> fitFromName(QStringView name);
/// "area", "nearest".
QString resampleName(Resample resample);
std::optional<Resample> resampleFromName(QStringView name);

/// One axis of a placement, exactly: the source interval starts at `start / denominator`
/// picture pixels and is `length / denominator` long; it lands on `tiles` tiles from tile
/// `firstTile`.
struct AxisPlacement
{
    qint64 start = 0;
    qint64 length = 0;
    qint64 denominator = 1;
    int firstTile = 0;
    int tiles = 0;
};

/// Where the picture lands for `fit` (any but Fit::None): x then y.
struct Placement
{
    AxisPlacement x;
    AxisPlacement y;
};
Placement placement(Fit fit, QSize picture, QSize map);

/// The most tiles a fitted picture may have (its sums take 40 bytes a tile).
inline constexpr qint64 MaxFitTiles = qint64(1) << 20;

/// Reads the picture at `path` for a `map` sized map. With Fit::None exactly readArea (the
/// top-left area, no larger than the picture); otherwise the whole picture is read row by
/// row (readRows) and the answer is map-sized, "no pixel" (0) where nothing lands.
///
/// Area resampling: a tile whose part of the picture is more than half "no pixel" (alpha 0)
/// has no pixel; otherwise it takes the weighted mean of the other pixels in linear light,
/// back to 8-bit sRGB rounding half up, alpha 255. Nearest: the pixel at
/// floor(the source point under the tile's centre), as it is.
[[nodiscard]] Area readFitted(const QString &path, QSize map, FitOptions options);

/// The same fitting of pixels already read: a whole picture, rows handed over one by one.
/// `options.fit` must not be Fit::None; the map at most MaxFitTiles.
[[nodiscard]] Pixels fitted(const Pixels &picture, QSize map, FitOptions options);



} // namespace picture
