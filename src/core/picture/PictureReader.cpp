#include "core/picture/PictureReader.h"

#include "core/picture/PictureFormats.h"

#include "core/common/BoundedFile.h"
#include "core/common/FileIdentity.h"
#include "core/common/FileNames.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <climits>
#include <limits>

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

namespace {

/// Opens a picture file for reading and tells its kind; a failure when it cannot.
std::optional<Area> openPicture(const QString &path, QFile &file, detail::Kind *kind)
{
    using namespace detail;
    const fileidentity::FileType type = fileidentity::typeOf(path);
    if (type == fileidentity::FileType::Missing) {
        const QString note = filenames::unheldNamesNote(path);
        return failed(Failure::Missing, note.isEmpty() ? PictureText::tr("no such file")
                                                       : PictureText::tr("no such file; %1").arg(note));
    }
    if (type != fileidentity::FileType::Regular)
        return failed(Failure::NotAFile,
                      PictureText::tr("not a regular file (%1)").arg(fileidentity::typeName(type)));
    if (Status opened = boundedfile::open(file, path, std::numeric_limits<qint64>::max(),
                                          FailureKind::Picture);
        !opened)
        return failed(Failure::Unreadable, opened.reason());
    *kind = sniff(file.read(8));
    file.seek(0);
    return std::nullopt;
}

/// Runs the reader of `kind` (in the order of detail::Kind) on `file`; nothing for Kind::Other.
template <typename Arg>
std::optional<Area> readKind(detail::Kind kind, QFile &file, Arg arg,
                             const std::array<std::optional<Area> (*)(QFile &, Arg), 4> &readers)
{
    if (kind == detail::Kind::Other)
        return std::nullopt;
    return readers[size_t(kind)](file, arg);
}

Area noDecoder(detail::Kind kind)
{
    using namespace detail;
    return kind == Kind::Other
        ? failed(Failure::Undecodable, PictureText::tr("it is not a BMP, PNG, GIF or JPEG picture"))
        : failed(Failure::Unsupported, PictureText::tr("no decoder for this kind of picture is installed"));
}

} // namespace

Area readArea(const QString &path, QSize mapSize)
{
    using namespace detail;
    QFile file(path);
    Kind kind = Kind::Other;
    if (std::optional<Area> refused = openPicture(path, file, &kind))
        return std::move(*refused);
    std::optional<Area> area = readKind<QSize>(kind, file, mapSize, {readBmp, readPng, readGif, readJpeg});
    if (!area && wholeDecoder) {
        file.seek(0);
        area = wholeDecoder(file, mapSize);
    }
    if (!area)
        return noDecoder(kind);
    if (!area->ok())
        area->pixels = Pixels();
    return std::move(*area);
}

Area readRows(const QString &path, RowSink &sink)
{
    using namespace detail;
    QFile file(path);
    Kind kind = Kind::Other;
    if (std::optional<Area> refused = openPicture(path, file, &kind))
        return std::move(*refused);
    std::optional<Area> area =
        readKind<RowSink &>(kind, file, sink, {readBmpRows, readPngRows, readGifRows, readJpegRows});
    if (!area && wholeDecoder) {
        // The whole picture as its area, within MaxWholeDecodeBytes, then handed on by rows.
        file.seek(0);
        area = wholeDecoder(file, QSize(INT_MAX, INT_MAX));
        if (area && area->ok()) {
            const Pixels whole = std::move(area->pixels);
            area->pixels = Pixels();
            sink.begin(whole.size());
            for (int y = 0; y < whole.height(); ++y)
                sink.pixels(y, 0, 1, whole.row(y), whole.width());
        }
    }
    if (!area)
        return noDecoder(kind);
    area->pixels = Pixels();
    return std::move(*area);
}

void setWholeDecoder(WholeDecoder decoder)
{
    detail::wholeDecoder = decoder;
}

} // namespace picture
