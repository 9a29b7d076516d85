// Fuzzes the picture readers (BMP, PNG, GIF, JPEG) and Qt's whole-picture decoders on
// arbitrary file contents: every file ends in the map's area of pixels or in a failure with
// a sentence, never in a crash, an area of another size or unbounded memory.
#include "core/picture/PictureFormats.h"
#include "core/qtimage/QtImage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

void checkArea(const picture::Area &area, QSize map)
{
    const QSize expected = picture::detail::areaSize(area.pictureSize, map);
    const bool wrongSize = expected.isEmpty() ? !area.pixels.size().isEmpty()
                                              : area.pixels.size() != expected;
    if (area.ok() ? wrongSize : area.reason.isEmpty())
        __builtin_trap(); // the map's area, or a failure that says why
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Qt's decoders are plugins, found through the application object.
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    for (const QSize map : {QSize(64, 64), QSize(5, 3)}) {
        // The program's own readers alone, then with Qt's decoders behind them, as the
        // windows and the companion's module read.
        picture::setWholeDecoder(nullptr);
        checkArea(picture::readArea(path, map), map);
        qtimage::useQtDecoders();
        checkArea(picture::readArea(path, map), map);
        // And Qt's decoders on every file, not only the variants that reach them.
        QFile whole(path);
        if (whole.open(QIODevice::ReadOnly))
            checkArea(qtimage::readWhole(whole, map), map);
    }
    return 0;
}
