// GIF through giflib's line interface: the first frame's lines are decoded one at a time and
// decoding stops once every row of the area is filled. A first frame that does not cover the
// whole picture goes to Qt's decoder, which knows how to fill the rest.
#include "core/picture/PictureFormats.h"

#include <QFile>

#include <gif_lib.h>

#include <algorithm>
#include <vector>

namespace picture::detail {
namespace {

struct GifHandle
{
    GifFileType *gif = nullptr;
    ~GifHandle()
    {
        if (gif)
            DGifCloseFile(gif, nullptr);
    }
};

int onRead(GifFileType *gif, GifByteType *data, int length)
{
    auto *file = static_cast<QFile *>(gif->UserData);
    const qint64 got = file->read(reinterpret_cast<char *>(data), length);
    return got < 0 ? 0 : int(got);
}

QString gifReason(int error)
{
    const char *text = GifErrorString(error);
    return QString::fromLatin1(text ? text : "unknown error");
}

Area gifFailure(int error, QSize pictureSize)
{
    if (error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_EOF_TOO_SOON)
        return failed(Failure::Truncated,
                      PictureText::tr("the file ends before the last row of pixels the map needs"), pictureSize);
    return failed(Failure::Undecodable, PictureText::tr("the GIF data is damaged (%1)").arg(gifReason(error)),
                  pictureSize);
}

/// Reads records up to the first frame's descriptor; the transparent index of its graphic
/// control block, or -1. False when the file ends or is damaged first.
bool toFirstFrame(GifFileType *gif, int *transparent)
{
    *transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return false;
        if (type == IMAGE_DESC_RECORD_TYPE)
            return DGifGetImageDesc(gif) != GIF_ERROR;
        if (type == TERMINATE_RECORD_TYPE) {
            gif->Error = D_GIF_ERR_NO_IMAG_DSCR;
            return false;
        }
        int code = 0;
        GifByteType *block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
            return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
            GraphicsControlBlock control;
            if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                *transparent = control.TransparentColor;
        }
        while (block)
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                return false;
    }
}

/// Row of the picture that the n-th decoded line of a frame `height` rows high belongs to.
int lineRow(int n, int height, bool interlaced)
{
    if (!interlaced)
        return n;
    static constexpr int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        const int rows = height > start[pass] ? (height - start[pass] + step[pass] - 1) / step[pass] : 0;
        if (n < rows)
            return start[pass] + n * step[pass];
        n -= rows;
    }
    return height;
}

/// The first frame being decoded: giflib's handle, its colours by index, the picture's size.
struct GifFrame
{
    GifHandle h;
    std::vector<Argb> table;
    QSize size;
};

/// Opens the GIF, reads up to its first frame's lines and fills the frame's colour table.
/// An answer that is ok carries the picture's size and reading goes on; a failure, or
/// nullopt (a frame left to Qt's decoder), ends it.
std::optional<Area> openFirstFrame(QFile &file, GifFrame *g)
{
    GifHandle &h = g->h;
    std::vector<Argb> *table = &g->table;
    int error = 0;
    h.gif = DGifOpen(&file, onRead, &error);
    if (!h.gif)
        return gifFailure(error, {});
    const QSize pictureSize(h.gif->SWidth, h.gif->SHeight);
    int transparent = -1;
    if (!toFirstFrame(h.gif, &transparent))
        return gifFailure(h.gif->Error, pictureSize);

    const GifImageDesc &frame = h.gif->Image;
    const ColorMapObject *colors = frame.ColorMap ? frame.ColorMap : h.gif->SColorMap;
    if (frame.Left != 0 || frame.Top != 0 || frame.Width != pictureSize.width()
        || frame.Height != pictureSize.height() || !colors || pictureSize.isEmpty())
        return std::nullopt;

    table->assign(256, 0); // an index beyond the colour table has no pixel
    for (int i = 0; i < colors->ColorCount && i < 256; ++i)
        (*table)[size_t(i)] = argb(colors->Colors[i].Red, colors->Colors[i].Green, colors->Colors[i].Blue);
    if (transparent >= 0 && transparent < 256)
        (*table)[size_t(transparent)] = 0;
    g->size = pictureSize;
    return sized(pictureSize);
}

/// Decodes the frame's lines in the file's order and hands each line's first `columns`
/// colours, with the picture row it belongs to, to `line` until it answers false. A failure
/// of the data, else nothing.
template <typename Line>
std::optional<Area> decodeLines(GifFrame &g, int columns, Line line)
{
    const GifImageDesc &frame = g.h.gif->Image;
    std::vector<GifPixelType> indices(size_t(frame.Width));
    std::vector<Argb> pixels(static_cast<size_t>(columns));
    for (int n = 0; n < frame.Height; ++n) {
        if (DGifGetLine(g.h.gif, indices.data(), frame.Width) == GIF_ERROR)
            return gifFailure(g.h.gif->Error, g.size);
        for (size_t x = 0; x < pixels.size(); ++x)
            pixels[x] = g.table[indices[x]];
        if (!line(lineRow(n, frame.Height, frame.Interlace), pixels.data()))
            break;
    }
    return std::nullopt;
}

} // namespace

std::optional<Area> readGif(QFile &file, QSize map)
{
    GifFrame g;
    std::optional<Area> opened = openFirstFrame(file, &g);
    if (!opened || !opened->ok())
        return opened;
    const QSize size = areaSize(g.size, map);
    if (size.isEmpty())
        return opened;
    Area area = sized(g.size);
    area.pixels = Pixels(size.width(), size.height());
    int filled = 0;
    const auto intoArea = [&](int y, const Argb *pixels) {
        if (y < size.height()) {
            std::copy_n(pixels, size.width(), area.pixels.row(y));
            ++filled;
        }
        return filled < size.height();
    };
    if (std::optional<Area> failure = decodeLines(g, size.width(), intoArea))
        return failure;
    return area;
}

std::optional<Area> readGifRows(QFile &file, RowSink &sink)
{
    GifFrame g;
    std::optional<Area> opened = openFirstFrame(file, &g);
    if (!opened || !opened->ok())
        return opened;
    if (std::optional<Area> refused = beginRows(sink, g.size))
        return refused;
    const auto intoSink = [&](int y, const Argb *pixels) {
        sink.pixels(y, 0, 1, pixels, g.size.width());
        return true;
    };
    if (std::optional<Area> failure = decodeLines(g, g.size.width(), intoSink))
        return failure;
    return opened;
}

} // namespace picture::detail
