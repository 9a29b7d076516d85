#include "picture/PixelScan.h"

#include "picture/ColorKey.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>
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

    // Colour value -> position of its last occurrence. Sorting the survivors by that
    // position gives the order the per-pixel duplicate removal would leave.
    QHash<qint32, qint64> lastSeen;
    lastSeen.reserve(std::min<qint64>(qint64(width) * height, qint64(MaxColors) + 1));
    qint64 position = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            lastSeen.insert(colorkey::pixelValue(normalizedPicture, x, y), position++);
        if (afterRow)
            afterRow(y + 1);
    }

    result.distinctColors = int(lastSeen.size());
    if (lastSeen.size() > MaxColors) {
        result.tooManyColors = true;
        return result;
    }

    std::vector<std::pair<qint64, qint32>> order;
    order.reserve(size_t(lastSeen.size()));
    for (auto it = lastSeen.cbegin(); it != lastSeen.cend(); ++it)
        order.emplace_back(it.value(), it.key());
    std::sort(order.begin(), order.end());

    result.keys.reserve(qsizetype(order.size()));
    for (const auto &entry : order)
        result.keys.append(colorkey::colorKey(entry.second));
    return result;
}

QStringList deduplicated(const QStringList &list)
{
    // Walk backwards so the first sighting is the last occurrence, then restore the order.
    QSet<QString> seen;
    seen.reserve(list.size());
    QStringList survivors;
    for (auto it = list.crbegin(); it != list.crend(); ++it) {
        if (!seen.contains(*it)) {
            seen.insert(*it);
            survivors.append(*it);
        }
    }
    std::reverse(survivors.begin(), survivors.end());
    return survivors;
}

} // namespace pixelscan
