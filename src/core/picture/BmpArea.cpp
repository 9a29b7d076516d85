// BMP: the header, colour table and bit masks are parsed here and only the area's rows are
// read from the file, each at its own offset. Run-length and embedded JPEG/PNG pixel data go to
// Qt's decoder.
#include "core/picture/PictureFormats.h"

#include <QFile>

#include <vector>

namespace picture::detail {
namespace {

constexpr quint32 Rgb = 0, BitFields = 3, AlphaBitFields = 6;

quint32 le(const uchar *p, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

struct Mask
{
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;

    /// False for a mask that is not one run of at most 8 bits (left to Qt).
    bool set(quint32 m)
    {
        mask = m;
        shift = bits = 0;
        if (m == 0)
            return true;
        while (!((m >> shift) & 1))
            ++shift;
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1))
            ++bits;
        return bits <= 8 && (quint64(m) >> (shift + bits)) == 0;
    }
    quint32 take(quint32 pixel) const { return widenTo8((pixel & mask) >> shift, bits); }
};

struct Header
{
    qint64 width = 0, height = 0; // height as stored: negative when rows run top-down
    int bpp = 0;
    quint32 compression = Rgb;
    quint32 pixelOffset = 0;
    Mask red, green, blue, alpha;
    std::vector<Argb> palette;
};

/// Parses everything before the pixel rows. nullopt: a variant left to Qt; a failure is final.
std::optional<Area> parseHeader(QFile &file, Header &h)
{
    const QByteArray head = file.read(14 + 124 + 16 + 256 * 4);
    const auto *p = reinterpret_cast<const uchar *>(head.constData());
    if (head.size() < 26 || head.at(0) != 'B' || head.at(1) != 'M')
        return failed(Failure::Truncated, PictureText::tr("the file ends inside the BMP header"));
    h.pixelOffset = le(p + 10, 4);
    const quint32 dib = le(p + 14, 4);
    const bool core = dib == 12;
    if (!core && !(dib == 40 || dib == 52 || dib == 56 || dib == 108 || dib == 124))
        return std::nullopt;
    if (head.size() < qsizetype(14 + dib))
        return failed(Failure::Truncated, PictureText::tr("the file ends inside the BMP header"));
    const uchar *d = p + 14;
    h.width = core ? qint64(le(d + 4, 2)) : qint64(qint32(le(d + 4, 4)));
    h.height = core ? qint64(le(d + 6, 2)) : qint64(qint32(le(d + 8, 4)));
    const quint32 planes = le(d + (core ? 8 : 12), 2);
    h.bpp = int(le(d + (core ? 10 : 14), 2));
    h.compression = core ? Rgb : le(d + 16, 4);
    if (h.width <= 0 || h.height == 0 || planes != 1)
        return failed(Failure::Undecodable, PictureText::tr("the BMP header states no valid size"));
    if (h.compression != Rgb && h.compression != BitFields && h.compression != AlphaBitFields)
        return std::nullopt;
    if (!(h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 16 || h.bpp == 24 || h.bpp == 32))
        return std::nullopt;

    qsizetype at = 14 + dib;
    if (h.compression != Rgb) {
        if (h.bpp != 16 && h.bpp != 32)
            return std::nullopt;
        const int masks = dib >= 56 ? 4 : dib == 52 ? 3 : h.compression == AlphaBitFields ? 4 : 3;
        const uchar *m = dib >= 52 ? d + 40 : p + at;
        if (dib < 52)
            at += masks * 4;
        if (head.size() < at)
            return failed(Failure::Truncated, PictureText::tr("the file ends inside the BMP header"));
        if (!h.red.set(le(m, 4)) || !h.green.set(le(m + 4, 4)) || !h.blue.set(le(m + 8, 4))
            || !h.alpha.set(masks == 4 ? le(m + 12, 4) : 0))
            return std::nullopt;
    } else if (h.bpp == 16) {
        h.red.set(0x7c00), h.green.set(0x03e0), h.blue.set(0x001f);
    } else if (h.bpp >= 24) {
        h.red.set(0xff0000), h.green.set(0xff00), h.blue.set(0xff);
    }

    if (h.bpp <= 8) {
        const quint32 used = core ? 0 : le(d + 32, 4);
        const qsizetype count = (used == 0 || used > (1u << h.bpp)) ? (1 << h.bpp) : used;
        const int entry = core ? 3 : 4;
        if (head.size() < at + count * entry)
            return failed(Failure::Truncated, PictureText::tr("the file ends inside the BMP colour table"));
        for (qsizetype i = 0; i < count; ++i, at += entry)
            h.palette.push_back(argb(p[at + 2], p[at + 1], p[at]));
    }
    return failed(Failure::None, {});
}

void convertRow(const Header &h, const uchar *src, Argb *out, int count)
{
    if (h.bpp <= 8) {
        const int perByte = 8 / h.bpp;
        const uint valueMask = (1u << h.bpp) - 1;
        for (int x = 0; x < count; ++x) {
            const int shift = 8 - h.bpp * (x % perByte + 1);
            const uint index = (src[x / perByte] >> shift) & valueMask;
            out[x] = index < h.palette.size() ? h.palette[index] : 0; // beyond the table: no pixel
        }
        return;
    }
    const int bytes = h.bpp / 8;
    for (int x = 0; x < count; ++x, src += bytes) {
        const quint32 v = le(src, bytes);
        const quint32 a = h.alpha.mask ? h.alpha.take(v) : 0xff;
        out[x] = argb(int(h.red.take(v)), int(h.green.take(v)), int(h.blue.take(v)), int(a));
    }
}

/// Parses the header and checks that every row it announces is in the file. An answer that
/// is ok carries the picture's size and reading goes on.
/// A BMP being read: its header, how many rows it stores and how long each stored row is.
struct Bmp
{
    Header h;
    qint64 rows = 0;
    qint64 stride = 0;
    QSize size;
};

std::optional<Area> openBmp(QFile &file, Bmp *bmp)
{
    Header &h = bmp->h;
    if (std::optional<Area> parsed = parseHeader(file, h); !parsed || !parsed->ok())
        return parsed;
    bmp->rows = h.height < 0 ? -h.height : h.height;
    bmp->stride = (h.width * h.bpp + 31) / 32 * 4;
    const QSize pictureSize(int(qMin<qint64>(h.width, INT_MAX)), int(qMin<qint64>(bmp->rows, INT_MAX)));
    if (h.width > INT_MAX || bmp->rows > INT_MAX)
        return failed(Failure::TooLarge, PictureText::tr("the picture's size does not fit in 32 bits"), pictureSize);
    const qint64 available = file.size() - qint64(h.pixelOffset);
    if (available < 0 || available / bmp->stride < bmp->rows)
        return failed(Failure::Truncated,
                      PictureText::tr("the file ends before the last row of pixels its header announces"),
                      pictureSize);
    bmp->size = pictureSize;
    return sized(pictureSize);
}

/// The picture row that stored row `stored` holds: bottom-up pictures store their last row first.
qint64 pictureRow(const Bmp &bmp, qint64 stored)
{
    return bmp.h.height < 0 ? stored : bmp.rows - 1 - stored;
}

/// Reads stored rows first .. first + count - 1, of which the first `needed` bytes each are
/// wanted, and hands each with its stored index to `row`. When the wanted part is most of a
/// stored row, rows are read in blocks of up to 1 MiB (one read instead of a seek and a read
/// per row); in a picture much wider than the map only the wanted part of each row is read.
template <typename Row>
std::optional<Area> readStored(QFile &file, const Bmp &bmp, qint64 first, qint64 count, qint64 needed, Row row)
{
    const qint64 stride = bmp.stride;
    const qint64 blockRows =
        stride <= 2 * needed + 64 ? qBound(qint64(1), (qint64(1) << 20) / stride, count) : 1;
    std::vector<uchar> block(size_t(blockRows == 1 ? needed : blockRows * stride) + 4);
    for (qint64 at = first; at < first + count; at += blockRows) {
        const qint64 rows = qMin(blockRows, first + count - at);
        const qint64 bytes = rows == 1 ? needed : rows * stride;
        if (!file.seek(bmp.h.pixelOffset + at * stride)
            || file.read(reinterpret_cast<char *>(block.data()), bytes) != bytes)
            return failed(Failure::Unreadable, PictureText::tr("the file cannot be read: %1").arg(file.errorString()),
                          bmp.size);
        for (qint64 i = 0; i < rows; ++i)
            row(at + i, block.data() + i * stride);
    }
    return std::nullopt;
}

} // namespace

std::optional<Area> readBmp(QFile &file, QSize map)
{
    Bmp bmp;
    std::optional<Area> opened = openBmp(file, &bmp);
    if (!opened || !opened->ok())
        return opened;
    const QSize size = areaSize(bmp.size, map);
    if (size.isEmpty())
        return opened;
    Area area = sized(bmp.size);
    area.pixels = Pixels(size.width(), size.height());
    // The area's rows are the picture's first: stored first or, bottom-up, last.
    const qint64 first = bmp.h.height < 0 ? 0 : bmp.rows - size.height();
    const auto intoArea = [&](qint64 stored, const uchar *data) {
        convertRow(bmp.h, data, area.pixels.row(int(pictureRow(bmp, stored))), size.width());
    };
    if (std::optional<Area> failure =
            readStored(file, bmp, first, size.height(), (qint64(size.width()) * bmp.h.bpp + 7) / 8, intoArea))
        return failure;
    return area;
}

std::optional<Area> readBmpRows(QFile &file, RowSink &sink)
{
    Bmp bmp;
    std::optional<Area> opened = openBmp(file, &bmp);
    if (!opened || !opened->ok())
        return opened;
    // Whole rows are held here, so their width is bounded as a PNG's is.
    if (qint64(bmp.size.width()) * 8 > MaxRowBytes || bmp.stride > MaxRowBytes)
        return rowTooWide(bmp.size.width(), bmp.size);
    if (std::optional<Area> refused = beginRows(sink, bmp.size))
        return refused;
    std::vector<Argb> pixels(size_t(bmp.size.width()));
    const auto intoSink = [&](qint64 stored, const uchar *data) {
        convertRow(bmp.h, data, pixels.data(), bmp.size.width());
        sink.pixels(int(pictureRow(bmp, stored)), 0, 1, pixels.data(), bmp.size.width());
    };
    if (std::optional<Area> failure = readStored(file, bmp, 0, bmp.rows, bmp.stride, intoSink))
        return failure;
    return opened;
}

} // namespace picture::detail
