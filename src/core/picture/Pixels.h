#pragma once

#include <QList>
#include <QSize>
#include <QtGlobal>

namespace picture {

/// One pixel as 0xAARRGGBB, the layout of Qt's 32-bit ARGB images, so the windows can show
/// these pixels without converting them. A pixel with alpha 0 is "no pixel".
using Argb = quint32;

constexpr Argb argb(int red, int green, int blue, int alpha = 255)
{
    return (Argb(alpha & 0xff) << 24) | (Argb(red & 0xff) << 16) | (Argb(green & 0xff) << 8)
        | Argb(blue & 0xff);
}
constexpr int alphaOf(Argb p) { return int(p >> 24); }
constexpr int redOf(Argb p) { return int((p >> 16) & 0xff); }
constexpr int greenOf(Argb p) { return int((p >> 8) & 0xff); }
constexpr int blueOf(Argb p) { return int(p & 0xff); }

/// A rectangle of pixels in rows, top row first, with no padding between rows. Plain data:
/// the command-line companion reads and converts pictures without Qt's graphics library.
/// Copies share the pixels until one of them is written (QList's implicit sharing).
class Pixels
{
public:
    Pixels() = default;
    /// width x height pixels, all "no pixel" (0).
    Pixels(int width, int height)
        : m_width(qMax(0, width)), m_height(qMax(0, height)),
          m_data(qsizetype(m_width) * m_height, Argb(0))
    {
    }

    [[nodiscard]] bool isNull() const { return m_data.isEmpty(); }
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    [[nodiscard]] QSize size() const { return {m_width, m_height}; }

    [[nodiscard]] Argb *row(int y) { return m_data.data() + qsizetype(y) * m_width; }
    [[nodiscard]] const Argb *row(int y) const { return m_data.constData() + qsizetype(y) * m_width; }
    /// The pixel at x, y; 0 ("no pixel") outside.
    [[nodiscard]] Argb at(int x, int y) const
    {
        return (x >= 0 && y >= 0 && x < m_width && y < m_height) ? row(y)[x] : Argb(0);
    }

    /// All rows, for handing the pixels on without a copy.
    [[nodiscard]] const QList<Argb> &data() const { return m_data; }

    friend bool operator==(const Pixels &, const Pixels &) = default;

private:
    int m_width = 0;
    int m_height = 0;
    QList<Argb> m_data;
};

} // namespace picture
