#include "core/picture/PictureReader.h"

#include "core/picture/PictureFormats.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace picture {
namespace detail {
namespace {

enum class Kind { Bmp, Png, Gif, Jpeg, Other };

Kind sniff(const QByteArray &head)
{
    if (head.startsWith("BM"))
        return Kind::Bmp;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return Kind::Png;
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return Kind::Gif;
    if (head.startsWith("\xff\xd8\xff"))
        return Kind::Jpeg;
    return Kind::Other;
}

/// Qt's decoder: a JPEG with a clip rectangle of the area, anything else whole, within
/// MaxWholeDecodeBytes.
Area readWithQt(QFile &file, QSize map, Kind kind)
{
    file.seek(0);
    QImageReader reader(&file, kind == Kind::Jpeg ? QByteArrayLiteral("jpeg") : QByteArray());
    reader.setDecideFormatFromContent(kind != Kind::Jpeg);
    reader.setAutoTransform(false); // one pixel per tile, as stored
    const QSize pictureSize = reader.size();
    const QSize size = areaSize(pictureSize, map);
    const QSize decoded = kind == Kind::Jpeg ? size : pictureSize;
    if (pictureSize.isValid() && qint64(decoded.width()) * decoded.height() * 4 > MaxWholeDecodeBytes)
        return failed(Failure::TooLarge,
                      tr("the picture is %1 x %2 pixels; Velmora reads pictures of this format "
                         "only whole and up to %3 MiB of pixels, so save it as BMP or PNG")
                          .arg(pictureSize.width())
                          .arg(pictureSize.height())
                          .arg(MaxWholeDecodeBytes >> 20),
                      pictureSize);
    if (kind == Kind::Jpeg && size.isValid() && !size.isEmpty())
        reader.setClipRect(QRect(QPoint(0, 0), size));
    // The limit above is ours; Qt's own default (128 MiB) would otherwise refuse earlier.
    QImageReader::setAllocationLimit(int(MaxWholeDecodeBytes >> 20));
    QImage image = reader.read();
    if (image.isNull())
        return failed(Failure::Undecodable, reader.errorString(), pictureSize);
    Area area;
    area.pictureSize = pictureSize.isValid() ? pictureSize : image.size();
    if (image.size() != size)
        image = image.copy(QRect(QPoint(0, 0), areaSize(area.pictureSize, map)));
    area.pixels = image.convertToFormat(QImage::Format_ARGB32);
    return area;
}

} // namespace
} // namespace detail

Area readArea(const QString &path, QSize mapSize)
{
    using namespace detail;
    const QFileInfo info(path);
    if (!info.exists())
        return failed(Failure::Missing, tr("no such file"));
    if (!info.isFile())
        return failed(Failure::NotAFile, tr("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failed(Failure::Unreadable, tr("the file cannot be read: %1").arg(file.errorString()));

    const Kind kind = sniff(file.read(8));
    file.seek(0);
    std::optional<Area> area;
    if (kind == Kind::Bmp)
        area = readBmp(file, mapSize);
    else if (kind == Kind::Png)
        area = readPng(file, mapSize);
    else if (kind == Kind::Gif)
        area = readGif(file, mapSize);
    if (!area)
        area = readWithQt(file, mapSize, kind);
    if (!area->ok())
        area->pixels = QImage();
    return std::move(*area);
}

} // namespace picture
