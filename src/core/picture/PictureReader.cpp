#include "core/picture/PictureReader.h"

#include "core/picture/PictureFormats.h"

#include <QFile>
#include <QFileInfo>

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

WholeDecoder wholeDecoder = nullptr;

} // namespace
} // namespace detail

Area readArea(const QString &path, QSize mapSize)
{
    using namespace detail;
    const QFileInfo info(path);
    if (!info.exists())
        return failed(Failure::Missing, PictureText::tr("no such file"));
    if (!info.isFile())
        return failed(Failure::NotAFile, PictureText::tr("not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failed(Failure::Unreadable, PictureText::tr("the file cannot be read: %1").arg(file.errorString()));

    const Kind kind = sniff(file.read(8));
    file.seek(0);
    std::optional<Area> area;
    if (kind == Kind::Bmp)
        area = readBmp(file, mapSize);
    else if (kind == Kind::Png)
        area = readPng(file, mapSize);
    else if (kind == Kind::Gif)
        area = readGif(file, mapSize);
    else if (kind == Kind::Jpeg)
        area = readJpeg(file, mapSize);
    if (!area && wholeDecoder) {
        file.seek(0);
        area = wholeDecoder(file, mapSize);
    }
    if (!area)
        return kind == Kind::Other
            ? failed(Failure::Undecodable, PictureText::tr("it is not a BMP, PNG, GIF or JPEG picture"))
            : failed(Failure::Unsupported, PictureText::tr("no decoder for this kind of picture is installed"));
    if (!area->ok())
        area->pixels = Pixels();
    return std::move(*area);
}

void setWholeDecoder(WholeDecoder decoder)
{
    detail::wholeDecoder = decoder;
}

} // namespace picture
