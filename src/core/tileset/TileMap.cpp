#include "core/tileset/TileMap.h"

#include "core/archive/ArchiveAccess.h"
#include "core/scenario/ScenarioFile.h"

#include <QFile>
#include <QObject>
#include <QtEndian>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct TileMapText
{
    Q_DECLARE_TR_FUNCTIONS(TileMap)
};

} // namespace

namespace terrain {

namespace {

// The scenario file is the scenario entry extracted: no larger than an entry is read.
constexpr qint64 MaxScenarioSize = ArchiveAccess::DefaultMaxEntrySize;

/// Offset of the data of the first section called `name`, with its length, or -1.
qint64 sectionData(const QByteArray &bytes, const char *name, quint32 *length)
{
    const qint64 at = bytes.indexOf(name);
    if (at < 0 || at + 8 > bytes.size())
        return -1;
    *length = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
    return at + 8;
}

} // namespace

Status readTileMap(const QByteArray &scenario, const QString &shownName, TileMap *map,
                   ShortTiles shortTiles)
{
    const auto damaged = [&](const char *name) {
        return Status::failure(FailureKind::BadScenario,
                                TileMapText::tr("The scenario of \"%1\" has no complete \"%2\" "
                                            "section; the map is damaged.")
                                    .arg(shownName, QString::fromLatin1(name)));
    };
    quint32 length = 0;
    const qint64 dim = sectionData(scenario, "DIM ", &length);
    if (dim < 0 || dim + 4 > scenario.size())
        return damaged("DIM ");
    const auto byte = [&](qint64 i) { return quint8(scenario.at(i)); };
    TileMap read;
    read.width = scenario::dimensionFromBytes(byte(dim), byte(dim + 1));
    read.height = scenario::dimensionFromBytes(byte(dim + 2), byte(dim + 3));
    if (!scenario::isAcceptedDimension(read.width) || !scenario::isAcceptedDimension(read.height))
        return Status::failure(FailureKind::UnsupportedSize,
                                TileMapText::tr("The map \"%1\" is %2 x %3 tiles, a size the "
                                            "program does not accept.")
                                    .arg(shownName)
                                    .arg(read.width)
                                    .arg(read.height));
    const qint64 era = sectionData(scenario, "ERA ", &length);
    if (era < 0 || era + 1 > scenario.size())
        return damaged("ERA ");
    read.tileset = byte(era) & 7;
    const qint64 mtxm = sectionData(scenario, "MTXM", &length);
    if (mtxm < 0)
        return damaged("MTXM");
    const qint64 count = qint64(read.width) * read.height;
    const qint64 present = std::min({qint64(length), scenario.size() - mtxm, 2 * count}) / 2;
    if (present < count && shortTiles == ShortTiles::Refused)
        return damaged("MTXM");
    read.values.fill(0, count);
    for (qint64 i = 0; i < present; ++i)
        read.values[i] = qFromLittleEndian<quint16>(scenario.constData() + mtxm + 2 * i);
    if (map)
        *map = std::move(read);
    return Status::success();
}

Status readTileMapFile(const QString &scenarioPath, const QString &shownName, TileMap *map,
                       ShortTiles shortTiles)
{
    QFile file(scenarioPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxScenarioSize)
        return Status::failure(FailureKind::MapUnreadable,
                                TileMapText::tr("The scenario of \"%1\" cannot be read.")
                                    .arg(shownName));
    return readTileMap(file.read(MaxScenarioSize), shownName, map, shortTiles);
}

} // namespace terrain
