#include "core/picture/PicturePipeline.h"

#include "core/picture/ColorKey.h"
#include "core/picture/PixelScan.h"

#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct PicturePipelineText
{
    Q_DECLARE_TR_FUNCTIONS(PicturePipeline)
};

} // namespace

namespace picture {

namespace {

::Failure readFailure(const Area &area)
{
    switch (area.failure) {
    case Failure::Undecodable:
        return fail(FailureKind::Picture,
                    PicturePipelineText::tr("the picture cannot be decoded: %1")
                        .arg(area.reason));
    case Failure::Unsupported:
        return fail(FailureKind::Picture, PicturePipelineText::tr("the picture cannot be decoded: %1").arg(area.reason));
    case Failure::Truncated:
        return fail(FailureKind::Picture, PicturePipelineText::tr("the picture is incomplete: %1").arg(area.reason));
    default:
        return fail(FailureKind::Picture, area.reason);
    }
}

} // namespace

Result<Prepared> prepare(const QString &path, QSize map, const PrepareOptions &options,
                         const StatusFn &status, PrepareDetail *detail)
{
    PrepareDetail ignored;
    PrepareDetail &said = detail ? *detail : ignored;
    said = {};
    // Only the map-sized top-left area is ever decoded and kept, or the whole picture is
    // read row by row and fitted to the map.
    Area area = readFitted(path, map, options.fit);
    said.read = area.failure;
    if (!area.ok())
        return readFailure(area);
    if (options.transform)
        area.pixels = options.transform(area.pixels);

    const int width = map.width();
    const int height = map.height();
    std::function<void(int)> afterRow;
    if (status)
        afterRow = [&status, width, height](int rowsDone) {
            status(PicturePipelineText::tr("Scanning pixels... %1% complete.")
                       .arg(pixelscan::progressPercent(rowsDone, width, height)));
        };
    pixelscan::ScanResult scanned = pixelscan::scan(area.pixels, width, height, afterRow);
    said.distinctColors = scanned.distinctColors;
    if (scanned.tooManyColors)
        return fail(FailureKind::TooManyColors,
                    PicturePipelineText::tr("the map's %1 x %2 area of the picture has %3 colours; at most %4 fit "
                       "the colour list")
                        .arg(width)
                        .arg(height)
                        .arg(scanned.distinctColors)
                        .arg(colorkey::MaxColors)
                        // A fitted picture easily has more; dithering gives it few.
                        + (options.fit.fit != Fit::None && !options.transform
                               ? PicturePipelineText::tr("; Dither gives it the colours of the tiles instead")
                               : QString()));
    return Prepared{std::move(area.pixels), area.pictureSize, std::move(scanned.values),
                    std::move(scanned.counts)};
}

} // namespace picture
