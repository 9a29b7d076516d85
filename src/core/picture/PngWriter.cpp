// PNG through libpng's row interface, one row in memory at a time.
#include "core/picture/PngWriter.h"

#include <QCoreApplication>
#include <QIODevice>

#include <png.h>

#include <csetjmp>
#include <vector>

namespace {

/// This file's sentences, in their own translation context.
struct PngWriterText
{
    Q_DECLARE_TR_FUNCTIONS(PngWriter)
};

} // namespace

namespace picture {
namespace {

struct Job
{
    QIODevice *out = nullptr;
    bool writeFailed = false;
};

void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto *job = static_cast<Job *>(png_get_io_ptr(png));
    if (job->out->write(reinterpret_cast<const char *>(data), qint64(length)) != qint64(length)) {
        job->writeFailed = true;
        png_error(png, "write failed");
    }
}

void onFlush(png_structp) {}

/// Everything that may longjmp, with no object with a destructor alive across it.
bool writeRows(png_structp png, png_infop info, const Pixels &pixels, png_byte *row)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height(); ++y) {
        const Argb *in = pixels.row(y);
        png_byte *out = row;
        for (int x = 0; x < pixels.width(); ++x, out += 3) {
            out[0] = png_byte(redOf(in[x]));
            out[1] = png_byte(greenOf(in[x]));
            out[2] = png_byte(blueOf(in[x]));
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool writeOpaquePng(const Pixels &pixels, QIODevice &out, QString *error)
{
    if (pixels.isNull()) {
        *error = PngWriterText::tr("there is nothing to draw");
        return false;
    }
    Job job;
    job.out = &out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        *error = PngWriterText::tr("there is not enough memory to write the picture");
        return false;
    }
    png_set_write_fn(png, &job, onWrite, onFlush);
    std::vector<png_byte> row(size_t(pixels.width()) * 3);
    const bool written = writeRows(png, info, pixels, row.data());
    png_destroy_write_struct(&png, &info);
    if (!written)
        *error = job.writeFailed ? PngWriterText::tr("the picture cannot be written: %1").arg(out.errorString())
                                 : PngWriterText::tr("the picture cannot be encoded");
    return written;
}

} // namespace picture
