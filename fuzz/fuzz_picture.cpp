// Fuzzes the picture readers (BMP, PNG, GIF, JPEG) on arbitrary file contents: every file
// ends in the map's area of pixels or in a failure with a sentence, never in a crash or an
// area of another size.
#include "core/picture/PictureFormats.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    for (const QSize map : {QSize(64, 64), QSize(5, 3)}) {
        const picture::Area area = picture::readArea(path, map);
        const QSize expected = picture::detail::areaSize(area.pictureSize, map);
        const bool wrongSize = expected.isEmpty() ? !area.pixels.size().isEmpty()
                                                  : area.pixels.size() != expected;
        if (area.ok() ? wrongSize : area.reason.isEmpty())
            __builtin_trap(); // the map's area, or a failure that says why
    }
    return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    for (const QSize map : {QSize(64, 64), QSize(5, 3)}) {
        const picture::Area area = picture::readArea(path, map);
        if (area.ok() ? area.pixels.size() != picture::detail::areaSize(area.pictureSize, map)
                      : area.reason.isEmpty())
            fprintf(stderr, "ok=%d picture %dx%d pixels %dx%d map %dx%d reason %s\n", area.ok(), area.pictureSize.width(), area.pictureSize.height(), area.pixels.width(), area.pixels.height(), map.width(), map.height(), qPrintable(area.reason)), __builtin_trap(); // the map's area, or a failure that says why
    }
    return 0;
}
