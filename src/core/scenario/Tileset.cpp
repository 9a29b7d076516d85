#include "core/scenario/Tileset.h"

#include <QFile>

namespace tileset {

namespace {

// The tileset byte is the first data byte: the length field at R is 4 bytes long.
constexpr qint64 kDataOffset = 4;

} // namespace

std::optional<quint8> readTileset(const QString &scenarioPath, qint32 eraPosition)
{
    if (eraPosition < 0)
        return std::nullopt;
    const qint64 at = qint64(eraPosition) + kDataOffset;
    QFile file(scenarioPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() <= at || !file.seek(at))
        return std::nullopt;
    char byte = 0;
    if (file.read(&byte, 1) != 1)
        return std::nullopt;
    return quint8(byte);
}

Outcome writeTileset(const QString &scenarioPath, qint32 eraPosition, quint8 value)
{
    if (eraPosition < 0)
        return Outcome::failure(QStringLiteral(
            "The map has no tileset section, so its tileset cannot be changed."));
    const qint64 at = qint64(eraPosition) + kDataOffset;
    // ExistingOnly: a vanished working file must not come back as a one-byte stub.
    QFile file(scenarioPath);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return Outcome::failure(
            QStringLiteral("The map's working file could not be opened for writing (%1). "
                           "Load the map again.")
                .arg(file.errorString()));
    if (file.size() <= at)
        return Outcome::failure(QStringLiteral(
            "The map's working file ends before its tileset; it may be damaged. "
            "Load the map again."));
    const char byte = char(value);
    if (!file.seek(at) || file.write(&byte, 1) != 1 || !file.flush())
        return Outcome::failure(
            QStringLiteral("The tileset could not be written (%1). Check that the disk is not "
                           "full or write-protected.")
                .arg(file.errorString()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Outcome::failure(
            QStringLiteral("The tileset could not be written (%1).").arg(file.errorString()));
    return Outcome::success();
}

} // namespace tileset
