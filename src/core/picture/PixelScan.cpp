#include "core/picture/PixelScan.h"

#include "core/picture/ColorKey.h"

#include <algorithm>
#include <climits>
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

namespace {

/// The distinct colours of the area: each pixel's entry number, and per entry its colour and
/// pixel count. Past colorkey::MaxColors entries it only counts distinct colours, in a bit
/// per possible colour (2 MiB), so a huge area of noise costs no more than that.
class Tally
{
public:
    explicit Tally(qint64 pixels)
    {
        // At most half full with every entry the list allows (MaxColors + 1 at the switch).
        int bits = 4;
        while ((qint64(1) << bits) < 2 * std::min<qint64>(pixels, colorkey::MaxColors + 1))
            ++bits;
        m_slots.assign(size_t(1) << bits, 0);
        m_shift = 32 - bits;
        m_entryOfPixel.reserve(size_t(std::min<qint64>(pixels, qint64(1) << 20)));
    }

    void addRow(const qint32 *values, int width)
    {
        if (!m_bits.empty())
            return countOnly(values, width);
        for (int x = 0; x < width; ++x) {
            const qint32 value = values[x];
            // A run of one colour is looked up once.
            if (value != m_lastValue || m_lastEntry < 0) {
                m_lastValue = value;
                m_lastEntry = entryOf(value);
                // One colour past the list's room: from here on colours are only counted
                // (the table never holds more entries than it has room for).
                if (m_colors.size() > size_t(colorkey::MaxColors)) {
                    switchToCounting();
                    return countOnly(values + x + 1, width - x - 1);
                }
            }
            // Saturating, for an area of more than 2^32 pixels: shown as at most INT_MAX.
            quint32 &count = m_counts[size_t(m_lastEntry)];
            count += count != UINT32_MAX;
            m_entryOfPixel.push_back(m_lastEntry);
        }
    }

    [[nodiscard]] bool tooMany() const { return !m_bits.empty(); }
    [[nodiscard]] int distinct() const { return tooMany() ? m_distinct : int(m_colors.size()); }

    /// The colours in the order of their last occurrence: the first sighting of an entry
    /// walking back from the last pixel.
    void ordered(ScanResult *result) const
    {
        // Filled from the back as the walk finds each entry's last pixel.
        std::vector<bool> placed(m_colors.size(), false);
        qsizetype left = qsizetype(m_colors.size());
        result->values.resize(left);
        result->counts.resize(left);
        qint32 *const values = result->values.data();
        int *const counts = result->counts.data();
        for (auto it = m_entryOfPixel.crbegin(); it != m_entryOfPixel.crend() && left > 0; ++it) {
            const size_t entry = size_t(*it);
            if (!placed[entry]) {
                placed[entry] = true;
                --left;
                values[left] = m_colors[entry];
                counts[left] = int(std::min<quint32>(m_counts[entry], INT_MAX));
            }
        }
    }

private:
    static size_t bitOf(qint32 value) { return size_t(value + 1); }

    /// The entry of `value`, a new one when it has none. The table holds entry numbers plus
    /// one (0: free) in 16 bits, the colours themselves staying in m_colors: a quarter of the
    /// memory of colour-and-number slots, so a picture of thousands of colours stays in the
    /// cache.
    int entryOf(qint32 value)
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t i = (quint32(value) * 0x9E3779B1u) >> m_shift;; i = (i + 1) & mask) {
            const quint16 slot = m_slots[i];
            if (slot == 0) {
                m_slots[i] = quint16(m_colors.size() + 1);
                m_colors.push_back(value);
                m_counts.push_back(0);
                return int(m_colors.size() - 1);
            }
            if (m_colors[slot - 1] == value)
                return slot - 1;
        }
    }

    void switchToCounting()
    {
        m_bits.assign((size_t(1) << 24) + 1, false);
        for (const qint32 value : m_colors)
            m_bits[bitOf(value)] = true;
        m_distinct = int(m_colors.size());
        m_colors = {};
        m_counts = {};
        m_entryOfPixel = {};
        m_slots = {};
    }

    void countOnly(const qint32 *values, int width)
    {
        for (int x = 0; x < width; ++x) {
            const size_t bit = bitOf(values[x]);
            if (!m_bits[bit]) {
                m_bits[bit] = true;
                ++m_distinct;
            }
        }
    }

    std::vector<quint16> m_slots;
    int m_shift = 32;
    std::vector<qint32> m_colors;
    std::vector<quint32> m_counts;
    std::vector<int> m_entryOfPixel;
    qint32 m_lastValue = 0;
    int m_lastEntry = -1;
    std::vector<bool> m_bits; ///< non-empty once there are too many colours
    int m_distinct = 0;
};

} // namespace

ScanResult scan(const picture::Pixels &picture, int width, int height,
                const std::function<void(int rowsDone)> &afterRow)
{
    ScanResult result;
    if (width <= 0 || height <= 0)
        return result;

    Tally tally(qint64(width) * height);
    std::vector<qint32> row(size_t(width), 0);
    for (int y = 0; y < height; ++y) {
        colorkey::pixelRow(picture, y, width, row.data());
        tally.addRow(row.data(), width);
        if (afterRow)
            afterRow(y + 1);
    }
    result.distinctColors = tally.distinct();
    result.tooManyColors = tally.tooMany();
    if (!result.tooManyColors)
        tally.ordered(&result);
    return result;
}

} // namespace pixelscan
