#pragma once

#include "core/common/Result.h"
#include "core/common/StatusFn.h"
#include "core/picture/PictureFit.h"
#include "core/picture/PictureReader.h"
#include "core/picture/Pixels.h"

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

/// From a picture file to what the colour list and the conversion need, the same for the
/// windows and the companion: open the picture, take its map-sized area, scan its colours,
/// refuse more colours than the list holds, and make the colour table's colours and counts.
namespace picture {

/// How the picture becomes the map's area. Every way to fit or resample a picture is a
/// field here, applied in prepare() between reading and scanning; the default reads the
/// picture's top-left map-sized area, one pixel per tile.
struct PrepareOptions
{
    /// How the picture meets the map (readFitted); the default is today's area.
    FitOptions fit;
    /// When set, replaces the read pixels before they are scanned (dithering to the tiles
    /// gives the picture its tiles' colours). The pixels it returns are those scanned.
    std::function<Pixels(const Pixels &)> transform;
};

/// A picture ready for the document.
struct Prepared
{
    /// The map's area of the picture (see Area::pixels).
    Pixels pixels;
    /// The picture's whole size as its file states it.
    QSize pictureSize;
    /// Each colour of the area once, in colour list order (see pixelscan::scan), and how
    /// many pixels have it.
    QList<qint32> colors;
    QList<int> counts;
};

/// Why prepare() refused, for a caller that words its own message: how reading ended and,
/// for too many colours, how many there were.
struct PrepareDetail
{
    Failure read = Failure::None;
    int distinctColors = 0;
};

/// Prepares the picture at `path` for a map of `map` tiles. Says "Scanning pixels... N%
/// complete." through `status` after every row of the scan. Fails with kind Picture (the
/// file is missing, no picture, damaged, incomplete or too large to decode) or TooManyColors;
/// the sentence names the cause, not the file. `detail`, when given, says more.
[[nodiscard]] Result<Prepared> prepare(const QString &path, QSize map,
                                       const PrepareOptions &options = {},
                                       const StatusFn &status = {},
                                       PrepareDetail *detail = nullptr);

} // namespace picture
