#pragma once

#include "core/picture/ColorKey.h"

#include <QList>

#include <functional>

/// Reading a picture's colours over the map's area into a list of colour values.
namespace pixelscan {

/// Percentage shown in "Scanning pixels... N% complete." after `rowsDone` rows of a
/// width x height area: rowsDone * width / (width * height) * 100, rounded half to even,
/// never below 0 or above 100. Computed in 64 bits, so no map size overflows.
int progressPercent(int rowsDone, int width, int height);

struct ScanResult
{
    /// Each colour value of the area once (colorkey::pixelValue's numbering, -1 for no pixel),
    /// in the order of its last occurrence.
    QList<qint32> values;
    /// How many pixels of the area have each colour, parallel to `values` (at most INT_MAX).
    QList<int> counts;
    /// More than colorkey::MaxColors distinct colours occurred; `values` and `counts` are
    /// then empty.
    bool tooManyColors = false;
    /// How many distinct colours the area holds (also when there are too many).
    int distinctColors = 0;
};

/// Scans the width x height area of a picture, row by row
/// from the top, each row from the left, reading colorkey::pixelValue (-1 where the picture
/// has no pixel).
///
/// The colours come out each once, in the order of their last occurrence: the same list as
/// adding each pixel's key at the end of a list and removing the older duplicate after every
/// pixel. Done in one pass over the pixels with a table of entry numbers, then one walk back
/// over the pixels' entry numbers. `afterRow(rowsDone)` is called after every row. When more than
/// colorkey::MaxColors distinct colours occur, `tooManyColors` is set and `values` and
/// `counts` are empty.
ScanResult scan(const picture::Pixels &picture, int width, int height,
                const std::function<void(int rowsDone)> &afterRow = {});

} // namespace pixelscan
