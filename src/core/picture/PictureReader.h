#pragma once

#include "core/picture/Pixels.h"

#include <QSize>
#include <QString>

class QIODevice;

/// Reading the part of a picture file that a map uses: its top-left map-sized area.
///
/// Only that area is ever held in memory. BMP rows are read straight from the file; PNG, GIF
/// and JPEG are decoded row by row and stop after the last row the area needs. Other
/// formats, and the rare variants the readers here leave out, go to the whole-picture
/// decoder the program installs (setWholeDecoder), within MaxWholeDecodeBytes. So any BMP,
/// PNG, GIF or JPEG whose dimensions fit in 32 bits reads if its map-sized area does,
/// however large the rest of it is.
namespace picture {

/// Memory a picture may take when it has to be decoded whole (formats read through Qt
/// without a clip rectangle).
constexpr qint64 MaxWholeDecodeBytes = qint64(256) << 20;
/// Memory one row of a PNG may take while it is decoded (8 bytes a pixel at most): pictures
/// up to 8 Mi pixels wide.
constexpr qint64 MaxRowBytes = qint64(64) << 20;

/// Scans a JPEG may have (encoders write about ten).
constexpr qint64 MaxJpegScans = 1000;
/// Scans times whole-picture coefficient bytes of a JPEG of several scans: each scan passes
/// over the coefficients of its components (about a second of decoding).
constexpr qint64 MaxJpegScanWork = qint64(8) << 30;
/// Rows times decoded row bytes of an interlaced PNG, every row of which is decoded whatever
/// the area: the size of the picture at 4 bytes a pixel.
constexpr qint64 MaxInterlacedBytes = MaxWholeDecodeBytes;

/// Pixels of a picture that is fitted to the map: every one of them is decoded, so the
/// number bounds the time (a 16384 x 16384 picture, about a second of decoding).
constexpr qint64 MaxFittedPixels = qint64(16384) * 16384;

enum class Failure {
    None,
    Missing,     ///< no such file
    NotAFile,    ///< a folder, a device, a pipe
    Unreadable,  ///< the file exists but cannot be opened or read
    Undecodable, ///< not a picture, or a damaged one
    Unsupported, ///< a picture of a kind no installed decoder reads
    Truncated,   ///< the file ends before the pixels the area needs
    TooLarge,    ///< decoding it would take more memory than Velmora allows
};

struct Area
{
    /// The top-left min(picture, map) area, 32-bit ARGB (colorkey::normalized form); null on
    /// failure. Pixels of the map outside it have no picture pixel.
    Pixels pixels;
    /// The picture's whole size as its file states it (known once the header is read).
    QSize pictureSize;
    Failure failure = Failure::None;
    /// One sentence naming the cause, for the user; empty on success.
    QString reason;

    [[nodiscard]] bool ok() const { return failure == Failure::None; }
};

/// Reads the top-left mapSize area of the picture file at `path`: format taken from the
/// content, pixels as stored (no rotation from the file's metadata).
[[nodiscard]] Area readArea(const QString &path, QSize mapSize);

/// Receives the pixels of a whole picture as readRows decodes it.
class RowSink
{
public:
    virtual ~RowSink() = default;
    /// The picture's size, told once before any pixel.
    virtual void begin(QSize picture) = 0;
    /// `count` pixels of row `y`, at columns first, first + step, first + 2 * step, ...
    /// Rows may come in any order, and a row in parts (interlaced pictures), but each pixel
    /// comes exactly once.
    virtual void pixels(int y, int first, int step, const Argb *row, int count) = 0;
};

/// Decodes the whole picture at `path` into `sink`, row by row: memory stays a row or so
/// (BMP, PNG, GIF and baseline JPEG) or what the whole-picture decoder allows. The answer
/// carries the picture's size or the failure, never pixels.
[[nodiscard]] Area readRows(const QString &path, RowSink &sink);

/// A decoder for what the readers here leave out: reads `file` (open, at its start) whole and
/// returns its top-left `map` sized area, within MaxWholeDecodeBytes.
using WholeDecoder = Area (*)(QIODevice &file, QSize map);
/// Installs the whole-picture decoder for every later readArea (nullptr: none; such files
/// are then refused as undecodable). Install it before reading starts.
void setWholeDecoder(WholeDecoder decoder);

} // namespace picture
