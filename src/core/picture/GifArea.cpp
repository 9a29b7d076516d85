// GIF through giflib's line interface: the first frame's lines are decoded one at a time and
// decoding stops once every row of the area is filled. A first frame that does not cover the
// whole picture goes to Qt's decoder, which knows how to fill the rest.
#include "core/picture/PictureFormats.h"

#include <QFile>

#include <gif_lib.h>

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

/// Opens the GIF, reads up to its first frame's lines and fills `table` with its colours.
/// An answer that is ok carries the picture's size and reading goes on; a failure, or
/// nullopt (a frame left to Qt's decoder), ends it.
std::optional<Area> openFirstFrame(QFile &file, GifHandle &h, std::vector<Argb> *table)
{
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
    Area area;
    area.pictureSize = pictureSize;
    return area;
}

} // namespace

std::optional<Area> readGif(QFile &file, QSize map)
{
    GifHandle h;
    std::vector<Argb> table;
    std::optional<Area> opened = openFirstFrame(file, h, &table);
    if (!opened || !opened->ok())
        return opened;
    const QSize pictureSize = opened->pictureSize;
    const GifImageDesc &frame = h.gif->Image;
    Area area;
    area.pictureSize = pictureSize;
    const QSize size = areaSize(pictureSize, map);
    area.pixels = Pixels(size.width(), size.height());
    std::vector<GifPixelType> line(size_t(frame.Width));
    int filled = 0;
    for (int n = 0; n < frame.Height && filled < area.pixels.height(); ++n) {
        if (DGifGetLine(h.gif, line.data(), frame.Width) == GIF_ERROR)
            return gifFailure(h.gif->Error, pictureSize);
        const int y = lineRow(n, frame.Height, frame.Interlace);
        if (y >= area.pixels.height())
            continue;
        Argb *out = area.pixels.row(y);
        for (int x = 0; x < area.pixels.width(); ++x)
            out[x] = table[line[size_t(x)]];
        ++filled;
    }
    return area;
}

std::optional<Area> readGifRows(QFile &file, RowSink &sink)
{
    GifHandle h;
    std::vector<Argb> table;
    std::optional<Area> opened = openFirstFrame(file, h, &table);
    if (!opened || !opened->ok())
        return opened;
    const QSize pictureSize = opened->pictureSize;
    const GifImageDesc &frame = h.gif->Image;
    Area area;
    area.pictureSize = pictureSize;
    if (std::optional<Area> refused = refuseFitting(pictureSize))
        return refused;
    sink.begin(pictureSize);
    std::vector<GifPixelType> line(size_t(frame.Width));
    std::vector<Argb> pixels(size_t(frame.Width));
    for (int n = 0; n < frame.Height; ++n) {
        if (DGifGetLine(h.gif, line.data(), frame.Width) == GIF_ERROR)
            return gifFailure(h.gif->Error, pictureSize);
        for (size_t x = 0; x < line.size(); ++x)
            pixels[x] = table[line[x]];
        sink.pixels(lineRow(n, frame.Height, frame.Interlace), 0, 1, pixels.data(), frame.Width);
    }
    return area;
}

} // namespace picture::detail
