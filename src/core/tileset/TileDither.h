#pragma once

#include "core/picture/PictureFit.h"
#include "core/picture/PicturePipeline.h"
#include "core/picture/Pixels.h"

#include <QHash>

#include <vector>

namespace terrain {

class TileMatcher;

/// A picture given to the tiles by error diffusion.
struct Dithered
{
    /// Map-sized: each cell in its tile's average colour (TileMatcher::Candidate::shown),
    /// "no pixel" (0) where the picture has none.
    picture::Pixels picture;
    /// The tile chosen for each cell, row by row (0 where there is no pixel).
    std::vector<quint16> tiles;
    /// The tile value of each colour a candidate's average rounds to (colorkey numbering),
    /// so of every colour of `picture`: of tiles sharing a colour, the lowest value.
    QHash<qint32, quint16> values;
};

/// Gives every cell of the width x height map the candidate tile of `matcher` whose average
/// colour is nearest, by serpentine Floyd-Steinberg error diffusion in linear RGB: even
/// rows left to right, odd rows right to left; a cell's colour plus the error it received
/// is clamped to [0, 1] per channel and matched in CIELAB (CIE76, ties to the lowest value);
/// the clamped colour minus the tile's average goes 7/16 ahead, 3/16 behind below, 5/16
/// below and 1/16 ahead below (what falls off the map is dropped). Cells without a pixel
/// take no tile and pass no error. `matcher` must not be empty.
Dithered dither(const picture::Pixels &picture, int width, int height, const TileMatcher &matcher);

/// What picture::prepare needs to fit a picture by `fit` and then dither it to the tiles of
/// `matcher`, the same for the windows and the companion: the prepared colours are those of
/// the dithered picture, and `*values` receives the tile value of each (Dithered::values).
/// `matcher` and `values` must outlive the prepare.
picture::PrepareOptions ditherOptions(picture::FitOptions fit, const TileMatcher &matcher,
                                      QHash<qint32, quint16> *values);

} // namespace terrain
