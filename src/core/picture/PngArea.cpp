// PNG through libpng's row interface: rows come out one at a time as 8-bit RGBA and reading
// stops after the area's last row. Interlaced pictures are read pass by pass (every pass
// to its end), each pass row placed into the area directly, so memory stays one row plus the
// area.
#include "core/picture/PictureFormats.h"

#include <QFile>

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace picture::detail {
namespace {

// What the libpng callbacks share. Only plain data: the functions that call setjmp must not
// hold objects with destructors across a longjmp.
struct Job
{
    QFile *file = nullptr;
    char message[160] = {};
    bool shortRead = false;
};

void onError(png_structp png, png_const_charp text)
{
    auto *job = static_cast<Job *>(png_get_error_ptr(png));
    std::strncpy(job->message, text, sizeof job->message - 1);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onRead(png_structp png, png_bytep data, png_size_t length)
{
    auto *job = static_cast<Job *>(png_get_io_ptr(png));
    if (job->file->read(reinterpret_cast<char *>(data), qint64(length)) != qint64(length)) {
        job->shortRead = true;
        png_error(png, "the file ends early");
    }
}

struct Info
{
    png_uint_32 width = 0, height = 0;
    int interlace = 0;
    png_size_t rowBytes = 0;
};

/// Reads the header and sets up the RGBA8 transforms. False when libpng failed.
bool readInfo(png_structp png, png_infop info, Info *out)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, 0x7fffffff, 0x7fffffff); // any size that fits 31 bits
    png_read_info(png, info);
    int depth = 0, colorType = 0;
    png_get_IHDR(png, info, &out->width, &out->height, &depth, &colorType, &out->interlace,
                 nullptr, nullptr);
    // libpng allocates (and clears) its own row buffers when the transforms are set up: a
    // row that would be too large is refused before that.
    out->rowBytes = png_size_t(out->width) * 8;
    if (out->rowBytes > png_size_t(MaxRowBytes))
        return true;
    png_set_expand(png); // palette and low-depth grey to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (!(colorType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    out->rowBytes = png_get_rowbytes(png, info);
    return true;
}

void storeRow(const png_byte *rgba, Argb *out, png_uint_32 count, png_uint_32 firstColumn,
              png_uint_32 columnStep)
{
    for (png_uint_32 i = 0; i < count; ++i, rgba += 4)
        out[firstColumn + i * columnStep] = argb(rgba[0], rgba[1], rgba[2], rgba[3]);
}

/// Reads the rows into `area`. False when libpng failed.
bool readRows(png_structp png, const Info &info, png_byte *row, Pixels *area)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    const png_uint_32 areaWidth = png_uint_32(area->width());
    const png_uint_32 areaHeight = png_uint_32(area->height());
    if (info.interlace == PNG_INTERLACE_NONE) {
        for (png_uint_32 y = 0; y < areaHeight; ++y) {
            png_read_row(png, row, nullptr);
            storeRow(row, area->row(int(y)), areaWidth, 0, 1);
        }
        return true;
    }
    for (int pass = 0; pass < 7; ++pass) {
        const png_uint_32 columns = PNG_PASS_COLS(info.width, pass);
        const png_uint_32 rows = PNG_PASS_ROWS(info.height, pass);
        if (columns == 0)
            continue;
        const png_uint_32 firstColumn = PNG_PASS_START_COL(pass);
        const png_uint_32 step = png_uint_32(1) << PNG_PASS_COL_SHIFT(pass);
        const png_uint_32 inArea =
            areaWidth > firstColumn ? (areaWidth - firstColumn + step - 1) / step : 0;
        for (png_uint_32 r = 0; r < rows; ++r) {
            png_read_row(png, row, nullptr);
            const png_uint_32 y = PNG_ROW_FROM_PASS_ROW(r, pass);
            if (y < areaHeight)
                storeRow(row, area->row(int(y)), inArea,
                         firstColumn, step);
        }
    }
    return true;
}

struct PngHandles
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngHandles() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

Area libpngFailure(const Job &job, QSize pictureSize)
{
    if (job.shortRead)
        return failed(Failure::Truncated,
                      PictureText::tr("the file ends before the last row of pixels the map needs"), pictureSize);
    return failed(Failure::Undecodable,
                  PictureText::tr("the PNG data is damaged (%1)").arg(QString::fromLatin1(job.message).left(120)),
                  pictureSize);
}

/// A PNG being read: libpng's state and what its header says.
struct Png
{
    Job job;
    PngHandles h;
    Info info;

    QSize size() const { return {int(info.width), int(info.height)}; }
};

/// Sets libpng up on `file` and reads the header. A failure ends reading.
std::optional<Area> openPng(QFile &file, Png &png)
{
    Job &job = png.job;
    PngHandles &h = png.h;
    Info &info = png.info;
    job.file = &file;
    h.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, onError, onWarning);
    if (!h.png || !(h.info = png_create_info_struct(h.png)))
        return failed(Failure::TooLarge, PictureText::tr("there is not enough memory to read the picture"));
    png_set_read_fn(h.png, &job, onRead);
    if (!readInfo(h.png, h.info, &info))
        return libpngFailure(job, {});
    if (info.rowBytes > png_size_t(MaxRowBytes))
        return rowTooWide(info.width, png.size());
    return std::nullopt;
}

} // namespace

std::optional<Area> readPng(QFile &file, QSize map)
{
    Png png;
    if (std::optional<Area> refused = openPng(file, png))
        return refused;
    const Info &info = png.info;
    const QSize pictureSize = png.size();

    // Every row of every pass is decoded, whatever the area needs: the whole picture is.
    if (info.interlace != PNG_INTERLACE_NONE
        && qint64(info.rowBytes) * qint64(info.height) > MaxInterlacedBytes)
        return failed(Failure::TooLarge,
                      PictureText::tr("the picture is too large: it is %1 x %2 pixels and interlaced, so all "
                         "of it is decoded; Velmora decodes interlaced PNGs up to %3 MiB of "
                         "pixels (save it without interlacing)")
                          .arg(info.width)
                          .arg(info.height)
                          .arg(MaxInterlacedBytes >> 20),
                      pictureSize);
    Area area = sized(pictureSize);
    const QSize size = areaSize(pictureSize, map);
    if (size.isEmpty())
        return area;
    area.pixels = Pixels(size.width(), size.height());
    std::vector<png_byte> row(info.rowBytes);
    if (!readRows(png.h.png, info, row.data(), &area.pixels))
        return libpngFailure(png.job, pictureSize);
    return area;
}

namespace {

/// Hands every row to `sink`, pass by pass for an interlaced picture. False when libpng failed.
bool sendRows(png_structp png, const Info &info, png_byte *row, Argb *pixels, RowSink &sink)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    const bool interlaced = info.interlace != PNG_INTERLACE_NONE;
    for (int pass = 0; pass < (interlaced ? 7 : 1); ++pass) {
        const png_uint_32 columns = interlaced ? PNG_PASS_COLS(info.width, pass) : info.width;
        const png_uint_32 rows = interlaced ? PNG_PASS_ROWS(info.height, pass) : info.height;
        if (columns == 0)
            continue;
        const int first = interlaced ? int(PNG_PASS_START_COL(pass)) : 0;
        const int step = interlaced ? 1 << PNG_PASS_COL_SHIFT(pass) : 1;
        for (png_uint_32 r = 0; r < rows; ++r) {
            png_read_row(png, row, nullptr);
            storeRow(row, pixels, columns, 0, 1);
            const png_uint_32 y = interlaced ? PNG_ROW_FROM_PASS_ROW(r, pass) : r;
            sink.pixels(int(y), first, step, pixels, int(columns));
        }
    }
    return true;
}

} // namespace

std::optional<Area> readPngRows(QFile &file, RowSink &sink)
{
    Png png;
    if (std::optional<Area> refused = openPng(file, png))
        return refused;
    if (std::optional<Area> refused = beginRows(sink, png.size()))
        return refused;
    std::vector<png_byte> row(png.info.rowBytes);
    std::vector<Argb> pixels(png.info.width);
    if (!sendRows(png.h.png, png.info, row.data(), pixels.data(), sink))
        return libpngFailure(png.job, png.size());
    return sized(png.size());
}

} // namespace picture::detail
