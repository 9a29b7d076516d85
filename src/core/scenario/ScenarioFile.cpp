#include "core/scenario/ScenarioFile.h"

#include <QDir>
#include <QFile>

namespace scenario {

int dimensionFromBytes(quint8 low, quint8 high)
{
    return high == 1 ? 256 : int(low);
}

bool isAcceptedDimension(int tiles)
{
    switch (tiles) {
    case 64:
    case 96:
    case 128:
    case 192:
    case 256:
        return true;
    default:
        return false;
    }
}

Outcome readMapSize(const QString &scenarioPath, qint32 dimPosition, MapSize *size)
{
    const QString shown = QDir::toNativeSeparators(scenarioPath);
    if (dimPosition < 0)
        return Outcome::failure(QObject::tr("The scenario file \"%1\" has no \"DIM \" section, "
                                            "so the map size is unknown.")
                                    .arg(shown));
    QFile file(scenarioPath);
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::failure(QObject::tr("The scenario file \"%1\" cannot be read.")
                                    .arg(shown));
    const qint64 dataAt = qint64(dimPosition) + 4;
    QByteArray bytes;
    if (file.size() >= dataAt + 4 && file.seek(dataAt))
        bytes = file.read(4);
    if (bytes.size() != 4)
        return Outcome::failure(QObject::tr("The scenario file \"%1\" ends inside its \"DIM \" "
                                            "section; the map is damaged.")
                                    .arg(shown));
    const auto byte = [&](int i) { return quint8(bytes.at(i)); };
    if (size) {
        size->width = qint16(dimensionFromBytes(byte(0), byte(1)));
        size->height = qint16(dimensionFromBytes(byte(2), byte(3)));
    }
    return Outcome::success();
}

const QStringList &tilesetNames()
{
    static const QStringList names{
        QStringLiteral("Badlands"),     QStringLiteral("Space Platform"),
        QStringLiteral("Installation"), QStringLiteral("Ash World"),
        QStringLiteral("Jungle World"), QStringLiteral("Desert"),
        QStringLiteral("Ice"),          QStringLiteral("Twilight"),
    };
    return names;
}

} // namespace scenario
