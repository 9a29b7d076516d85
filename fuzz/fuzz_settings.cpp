// Fuzzes the settings-file reader and writer on arbitrary file contents: reads never fail
// loudly, and a value written reads back.
#include "core/settings/modINI.h"

using modINI::ReadIniValue;
using modINI::WriteIniValue;

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    for (const char *key : {"LoadDialog", "Splash", "", "x"})
        (void)ReadIniValue(QStringLiteral("Settings"), QString::fromLatin1(key), QStringLiteral("d"), path);
    if (WriteIniValue(QStringLiteral("Settings"), QStringLiteral("LoadDialog"), QStringLiteral("1"), path)
        && ReadIniValue(QStringLiteral("Settings"), QStringLiteral("LoadDialog"), QString(), path)
            != QStringLiteral("1"))
        __builtin_trap(); // a value written must read back
    return 0;
}
