#include "core/picture/PixelScan.h"

#include "core/picture/ColorKey.h"

#include <algorithm>
#include <vector>

namespace pixelscan {

int progressPercent(int rowsDone, int width, int height)
{
    if (width <= 0 || height <= 0)
        return 0;
    rowsDone = std::clamp(rowsDone, 0, height);
    const qint64 numerator = qint64(rowsDone) * width * 100;
    const qint64 denominator = qint64(width) * height;
    qint64 percent = numerator / denominator;
    const qint64 twiceRest = 2 * (numerator % denominator);
    // Halves go to the even neighbour.
    if (twiceRest > denominator || (twiceRest == denominator && (percent & 1)))
        ++percent;
    return int(std::min<qint64>(percent, 100));
}

ScanResult scan(const QImage &normalizedPicture, int width, int height,
                const std::function<void(int rowsDone)> &afterRow)
{
    ScanResult result;
    if (width <= 0 || height <= 0)
        return result;

    // Read the area in scan order first (reporting each row), then walk it backwards: the
    // first sighting of a value from the end is its last occurrence. A bit per possible
    // colour (2 MiB) makes each look-up one memory access.
    std::vector<qint32> values;
    values.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            values.push_back(colorkey::pixelValue(normalizedPicture, x, y));
        if (afterRow)
            afterRow(y + 1);
    }

    std::vector<bool> seen(size_t(1) << 24, false);
    bool seenNoPixel = false;
    std::vector<qint32> survivors;
    for (auto it = values.crbegin(); it != values.crend(); ++it) {
        const qint32 value = *it;
        if (value < 0) {
            if (seenNoPixel)
                continue;
            seenNoPixel = true;
        } else {
            const size_t bit = size_t(value) & 0xFFFFFF;
            if (seen[bit])
                continue;
            seen[bit] = true;
        }
        survivors.push_back(value);
    }

    result.distinctColors = int(survivors.size());
    if (survivors.size() > size_t(colorkey::MaxColors)) {
        result.tooManyColors = true;
        return result;
    }

    // Pixel counts from the area sorted: each colour's pixels form one run.
    std::sort(values.begin(), values.end());
    result.values.reserve(qsizetype(survivors.size()));
    result.keys.reserve(qsizetype(survivors.size()));
    result.counts.reserve(qsizetype(survivors.size()));
    for (auto it = survivors.crbegin(); it != survivors.crend(); ++it) {
        const auto run = std::equal_range(values.cbegin(), values.cend(), *it);
        result.values.append(*it);
        result.keys.append(colorkey::colorKey(*it));
        result.counts.append(int(run.second - run.first));
    }
    return result;
}

} // namespace pixelscan
