// JPEG through libjpeg: the file is read in chunks as the decoder asks for them, rows are
// decoded only down to the area's last one and, in each row, only the columns the area needs
// plus a margin, so that the area's right edge is interpolated from the same neighbours as in
// a full decode. The decoder keeps libjpeg's defaults (accurate integer IDCT, smooth chroma
// upsampling), which are also the settings of Qt's reader: both give the same pixels.
//
// A progressive (multi-scan) file holds every coefficient of the picture until its last scan
// is read; checkJpegLimits bounds that memory from the markers before decoding starts.
#include "core/picture/PictureFormats.h"
#include "core/picture/Pixels.h"

#include <QFile>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace picture::detail {
namespace {

constexpr qint64 ChunkBytes = 64 * 1024;
/// Encoders write about ten scans; a file with thousands of tiny ones would make the decoder
/// pass over the whole coefficient buffer thousands of times.
constexpr int MaxScans = 1000;
/// libjpeg's own buffers beside the coefficients of a progressive file.
constexpr qint64 WorkingBytes = qint64(16) << 20;

/// 0xAARRGGBB in memory order, with libjpeg filling the alpha byte with 255.
constexpr J_COLOR_SPACE PixelLayout = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// What the callbacks share. Only plain data: the functions that call setjmp must not hold
// objects with destructors across a longjmp.
struct Job
{
    jpeg_error_mgr errors;
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    QFile *file = nullptr;
    JOCTET *chunk = nullptr;
    bool endReached = false;
    bool tooManyScans = false;
    char message[JMSG_LENGTH_MAX] = {};
};

Job *jobOf(j_decompress_ptr cinfo) { return static_cast<Job *>(cinfo->client_data); }

void onError(j_common_ptr cinfo)
{
    auto *job = static_cast<Job *>(cinfo->client_data);
    cinfo->err->format_message(cinfo, job->message);
    std::longjmp(job->jump, 1);
}

// Warnings are about damaged data that libjpeg decodes on (as Qt's reader does); the end of
// the file is noticed in fillInput.
void onMessage(j_common_ptr, int) {}
void onOutput(j_common_ptr) {}

void onProgress(j_common_ptr cinfo)
{
    auto *job = static_cast<Job *>(cinfo->client_data);
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > MaxScans) {
        job->tooManyScans = true;
        std::longjmp(job->jump, 1);
    }
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo)
{
    static const JOCTET endMarker[] = {0xff, JPEG_EOI};
    Job *job = jobOf(cinfo);
    const qint64 got = job->file->read(reinterpret_cast<char *>(job->chunk), ChunkBytes);
    if (got <= 0) {
        // An end marker lets libjpeg wind down as it does for damaged data; the flag makes
        // the area count as incomplete.
        job->endReached = true;
        cinfo->src->next_input_byte = endMarker;
        cinfo->src->bytes_in_buffer = sizeof endMarker;
        return TRUE;
    }
    cinfo->src->next_input_byte = job->chunk;
    cinfo->src->bytes_in_buffer = size_t(got);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count)
{
    jpeg_source_mgr *src = cinfo->src;
    if (count <= 0)
        return;
    if (size_t(count) <= src->bytes_in_buffer) {
        src->next_input_byte += count;
        src->bytes_in_buffer -= size_t(count);
        return;
    }
    // Skipped data is never read; past the end, the next read reports the end.
    QFile *file = jobOf(cinfo)->file;
    file->seek(file->pos() + (qint64(count) - qint64(src->bytes_in_buffer)));
    src->bytes_in_buffer = 0;
}

/// Sets up the decompressor and reads the header. False when libjpeg failed.
bool readHeader(j_decompress_ptr cinfo, Job *job)
{
    if (setjmp(job->jump))
        return false;
    jpeg_create_decompress(cinfo);
    cinfo->src = &job->source;
    cinfo->progress = &job->progress;
    cinfo->mem->max_memory_to_use = long(MaxWholeDecodeBytes + WorkingBytes);
    jpeg_read_header(cinfo, TRUE);
    return true;
}

/// Decodes the rows of `out` (the area). False when libjpeg failed.
bool readRows(j_decompress_ptr cinfo, Job *job, Pixels *out)
{
    if (setjmp(job->jump))
        return false;
    cinfo->out_color_space = PixelLayout;
    jpeg_start_decompress(cinfo);
    const JDIMENSION margin = JDIMENSION(cinfo->max_h_samp_factor * DCTSIZE);
    JDIMENSION first = 0;
    JDIMENSION width = JDIMENSION(out->width()) + margin;
    if (width < cinfo->output_width)
        jpeg_crop_scanline(cinfo, &first, &width);
    JSAMPARRAY row = cinfo->mem->alloc_sarray(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              cinfo->output_width * 4, 1);
    const size_t areaRowBytes = size_t(out->width()) * sizeof(Argb);
    while (cinfo->output_scanline < JDIMENSION(out->height())) {
        const int y = int(cinfo->output_scanline);
        if (jpeg_read_scanlines(cinfo, row, 1) != 1)
            return true; // cannot happen with a source that never suspends
        std::memcpy(out->row(y), row[0], areaRowBytes);
    }
    return true;
}

Area libjpegFailure(const Job &job, QSize pictureSize)
{
    if (job.endReached)
        return failed(Failure::Truncated,
                      PictureText::tr("the file ends before the last row of pixels the map needs"), pictureSize);
    if (job.tooManyScans)
        return failed(Failure::Undecodable,
                      PictureText::tr("the JPEG data is damaged (more than %1 scans)").arg(MaxScans), pictureSize);
    if (job.errors.msg_code == JERR_NO_BACKING_STORE || job.errors.msg_code == JERR_OUT_OF_MEMORY)
        return failed(Failure::TooLarge,
                      PictureText::tr("decoding the picture needs more memory than Velmora allows"), pictureSize);
    return failed(Failure::Undecodable,
                  PictureText::tr("the JPEG data is damaged (%1)").arg(QString::fromLatin1(job.message).left(120)),
                  pictureSize);
}

struct Decompressor
{
    jpeg_decompress_struct info{};
    ~Decompressor() { jpeg_destroy_decompress(&info); } // safe on a never created one
};

void connect(jpeg_decompress_struct *cinfo, Job *job, QFile *file, JOCTET *chunk)
{
    job->file = file;
    job->chunk = chunk;
    cinfo->err = jpeg_std_error(&job->errors);
    job->errors.error_exit = onError;
    job->errors.emit_message = onMessage;
    job->errors.output_message = onOutput;
    job->source = {};
    job->source.init_source = initSource;
    job->source.fill_input_buffer = fillInput;
    job->source.skip_input_data = skipInput;
    job->source.resync_to_restart = jpeg_resync_to_restart;
    job->source.term_source = termSource;
    job->progress = {};
    job->progress.progress_monitor = onProgress;
    cinfo->client_data = job;
}

/// Decodes every row, at full width, into `sink`. False when libjpeg failed.
bool sendRows(j_decompress_ptr cinfo, Job *job, RowSink &sink)
{
    if (setjmp(job->jump))
        return false;
    cinfo->out_color_space = PixelLayout;
    jpeg_start_decompress(cinfo);
    JSAMPARRAY row = cinfo->mem->alloc_sarray(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              cinfo->output_width * 4, 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        const int y = int(cinfo->output_scanline);
        if (jpeg_read_scanlines(cinfo, row, 1) != 1)
            return true; // cannot happen with a source that never suspends
        sink.pixels(y, 0, 1, reinterpret_cast<const Argb *>(row[0]), int(cinfo->output_width));
    }
    return true;
}

/// Decodes the area into `pixels`, or with a `sink` every row into it; the answer carries
/// the size or the failure.
std::optional<Area> decode(QFile &file, QSize map, Pixels *pixels, RowSink *sink = nullptr)
{
    std::vector<JOCTET> chunk(static_cast<size_t>(ChunkBytes));
    Job job;
    Decompressor d;
    connect(&d.info, &job, &file, chunk.data());
    if (!readHeader(&d.info, &job))
        return libjpegFailure(job, {});
    const QSize pictureSize(int(d.info.image_width), int(d.info.image_height));
    const J_COLOR_SPACE space = d.info.jpeg_color_space;
    if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB)
        return std::nullopt; // CMYK and rarer: left to the whole-picture decoder
    // The coefficients of a multi-scan file were bounded from its markers (checkJpegLimits).
    Area area = sized(pictureSize);
    if (sink) {
        if (std::optional<Area> refused = beginRows(*sink, pictureSize))
            return refused;
        if (!sendRows(&d.info, &job, *sink) || job.endReached)
            return libjpegFailure(job, pictureSize);
        return area;
    }
    *pixels = Pixels(areaSize(pictureSize, map).width(), areaSize(pictureSize, map).height());
    if (pixels->isNull())
        return area;
    if (!readRows(&d.info, &job, pixels) || job.endReached)
        return libjpegFailure(job, pictureSize);
    return area;
}

} // namespace

std::optional<Area> readJpeg(QFile &file, QSize map)
{
    // Scans and whole-picture coefficients bounded before libjpeg allocates for them (Qt's
    // decoder checks the same for the files left to it).
    if (std::optional<Area> refused = checkJpegLimits(file))
        return refused;
    Pixels pixels;
    std::optional<Area> area = decode(file, map, &pixels);
    if (area && area->ok())
        area->pixels = std::move(pixels);
    return area;
}

std::optional<Area> readJpegRows(QFile &file, RowSink &sink)
{
    if (std::optional<Area> refused = checkJpegLimits(file))
        return refused;
    return decode(file, {}, nullptr, &sink);
}

} // namespace picture::detail
