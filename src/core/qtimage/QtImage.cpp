#include "core/qtimage/QtImage.h"

#include "core/picture/PictureFormats.h"

#include <QIODevice>
#include <QImageReader>

#include <cstring>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct QtImageText
{
    Q_DECLARE_TR_FUNCTIONS(QtImage)
};

} // namespace

namespace qtimage {

using picture::detail::areaSize;
using picture::detail::failed;

QImage toImage(const picture::Pixels &pixels, QImage::Format format)
{
    if (pixels.isNull())
        return {};
    // The image keeps a share of the pixel list alive for as long as it needs the memory.
    auto *kept = new QList<picture::Argb>(pixels.data());
    return QImage(reinterpret_cast<const uchar *>(kept->constData()), pixels.width(),
                  pixels.height(), qsizetype(pixels.width()) * 4, format,
                  [](void *list) { delete static_cast<QList<picture::Argb> *>(list); }, kept);
}

picture::Pixels fromImage(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    picture::Pixels pixels(argb.width(), argb.height());
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(pixels.row(y), argb.constScanLine(y), size_t(argb.width()) * 4);
    return pixels;
}

QColor colorOf(qint32 value)
{
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

picture::Area readWhole(QIODevice &file, QSize map)
{
    using picture::Failure;
    const bool jpeg = file.peek(3) == QByteArrayLiteral("\xff\xd8\xff");
    // Qt's JPEG decoder has no bound on scans or on the coefficients of a progressive file.
    if (jpeg) {
        if (std::optional<picture::Area> refused = picture::detail::checkJpegLimits(file))
            return std::move(*refused);
    }
    QImageReader reader(&file, jpeg ? QByteArrayLiteral("jpeg") : QByteArray());
    reader.setDecideFormatFromContent(!jpeg);
    reader.setAutoTransform(false); // one pixel per tile, as stored
    const QSize pictureSize = reader.size();
    const QSize size = areaSize(pictureSize, map);
    const QSize decoded = jpeg ? size : pictureSize;
    if (pictureSize.isValid()
        && qint64(decoded.width()) * decoded.height() * 4 > picture::MaxWholeDecodeBytes)
        return failed(Failure::TooLarge,
                      QtImageText::tr("the picture is %1 x %2 pixels; Velmora reads pictures of this format "
                         "only whole and up to %3 MiB of pixels, so save it as BMP or PNG")
                          .arg(pictureSize.width())
                          .arg(pictureSize.height())
                          .arg(picture::MaxWholeDecodeBytes >> 20),
                      pictureSize);
    if (jpeg && size.isValid() && !size.isEmpty())
        reader.setClipRect(QRect(QPoint(0, 0), size));
    // The limit above is ours; Qt's own default (128 MiB) would otherwise refuse earlier.
    QImageReader::setAllocationLimit(int(picture::MaxWholeDecodeBytes >> 20));
    QImage image = reader.read();
    if (image.isNull())
        return failed(Failure::Undecodable, reader.errorString(), pictureSize);
    picture::Area area;
    area.pictureSize = pictureSize.isValid() ? pictureSize : image.size();
    if (const QSize used = areaSize(area.pictureSize, map); image.size() != used)
        image = image.copy(QRect(QPoint(0, 0), used));
    area.pixels = fromImage(image);
    return area;
}

void useQtDecoders()
{
    picture::setWholeDecoder(&readWhole);
}

} // namespace qtimage
