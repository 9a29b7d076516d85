// Fuzzes the colour-file parser: any text ends in a colour file or a failure with a
// sentence, and a parsed file's keys parse again.
#include "core/convert/ColorFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const Result<ColorFile> parsed = ColorFile::parse(text);
    if (!parsed && parsed.reason().isEmpty())
        __builtin_trap(); // a failure must say why
    // The file's own bytes, as velmora-cli reads them.
    const Result<ColorFile> read =
        ColorFile::parseUtf8(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read && read.reason().isEmpty())
        __builtin_trap();
    (void)ColorFile::colorFromText(text.left(64));
    return 0;
}
