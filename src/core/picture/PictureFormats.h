#pragma once

// The format readers behind picture::readArea. Each reads the top-left area of an open file,
// or answers std::nullopt for a variant it leaves to Qt's whole-picture decoder.

#include "core/picture/PictureReader.h"

#include <QCoreApplication>

#include <optional>

class QFile;
class QIODevice;

namespace picture::detail {

/// Width and height of the area a picture of `picture` size contributes to a `map` sized map.
inline QSize areaSize(QSize picture, QSize map)
{
    return {qMin(picture.width(), qMax(0, map.width())), qMin(picture.height(), qMax(0, map.height()))};
}

/// A read that has gone well so far: the picture's size, no pixels yet.
inline Area sized(QSize pictureSize)
{
    Area a;
    a.pictureSize = pictureSize;
    return a;
}

inline Area failed(Failure failure, QString reason, QSize pictureSize = {})
{
    Area a = sized(pictureSize);
    a.failure = failure;
    a.reason = std::move(reason);
    return a;
}

/// The reasons the picture readers give, in one translation context.
struct PictureText
{
    Q_DECLARE_TR_FUNCTIONS(PictureReader)
};

/// The refusal of a picture whose rows are wider than MaxRowBytes allows.
inline Area rowTooWide(qint64 width, QSize pictureSize)
{
    return failed(Failure::TooLarge,
                  PictureText::tr("one row of the picture (%1 pixels wide) needs more memory than Velmora "
                     "allows").arg(width),
                  pictureSize);
}

/// The refusal of a picture too large to decode whole for fitting (MaxFittedPixels), or
/// nothing when it may be.
inline std::optional<Area> refuseFitting(QSize pictureSize)
{
    if (qint64(pictureSize.width()) * pictureSize.height() <= MaxFittedPixels)
        return std::nullopt;
    return failed(Failure::TooLarge,
                  PictureText::tr("the picture is too large to fit to the map: it is %1 x %2 pixels, and "
                     "Velmora fits pictures of up to %3 million pixels")
                      .arg(pictureSize.width())
                      .arg(pictureSize.height())
                      .arg(MaxFittedPixels / 1000000),
                  pictureSize);
}

/// Starts a whole-picture read into `sink`: the refusal when the picture is too large to
/// fit (see refuseFitting), else the sink is told the size and nothing is returned.
inline std::optional<Area> beginRows(RowSink &sink, QSize pictureSize)
{
    if (std::optional<Area> refused = refuseFitting(pictureSize))
        return refused;
    sink.begin(pictureSize);
    return std::nullopt;
}

/// An n-bit field (n = 1..32) as 8 bits, the way Qt widens BMP bit fields: shifted up,
/// low bits zero (5-bit 31 -> 248), or the top 8 bits of a wider field.
inline quint32 widenTo8(quint32 value, int bits)
{
    return bits >= 8 ? value >> (bits - 8) : value << (8 - bits);
}

/// A JPEG's demands checked from its markers before any decoder sees it: a refusal when it
/// has more than MaxJpegScans scans, or several scans whose whole-picture coefficients take
/// more than MaxWholeDecodeBytes, or whose scans times coefficients pass MaxJpegScanWork.
/// Leaves the file at its start.
std::optional<Area> checkJpegLimits(QIODevice &file);

std::optional<Area> readBmp(QFile &file, QSize map);
std::optional<Area> readPng(QFile &file, QSize map);
std::optional<Area> readGif(QFile &file, QSize map);
std::optional<Area> readJpeg(QFile &file, QSize map);

// The same readers over the whole picture, handing every row to a sink.
std::optional<Area> readBmpRows(QFile &file, RowSink &sink);
std::optional<Area> readPngRows(QFile &file, RowSink &sink);
std::optional<Area> readGifRows(QFile &file, RowSink &sink);
std::optional<Area> readJpegRows(QFile &file, RowSink &sink);

} // namespace picture::detail
