#include "core/scenario/Tileset.h"

#include "core/common/UserText.h"
#include "core/scenario/ScenarioFile.h"
#include "core/scenario/modFunctions.h"

#include <QFileInfo>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct TilesetText
{
    Q_DECLARE_TR_FUNCTIONS(Tileset)
};

} // namespace

namespace tileset {

namespace {

// The tileset byte is the first data byte: the length field at R is 4 bytes long.
constexpr qint64 kDataOffset = 4;

Failure noTileset(const QString &mapName)
{
    if (mapName.isEmpty())
        return fail(FailureKind::BadScenario,
                    TilesetText::tr("The map has no tileset section, so its tileset cannot be changed."));
    return fail(FailureKind::BadScenario,
                TilesetText::tr("The map \"%1\" has no tileset section, so its tileset cannot be "
                            "changed.")
                    .arg(shownPath(mapName)));
}

} // namespace

Result<quint8> tilesetByte(const ScenarioFile &file, qint32 eraPosition, const QString &mapName)
{
    if (eraPosition < 0)
        return noTileset(mapName);
    if (const std::optional<quint8> byte = file.u8At(qint64(eraPosition) + kDataOffset))
        return *byte;
    return fail(FailureKind::BadScenario,
                TilesetText::tr("The map's scenario ends before its tileset; it may be damaged."));
}

Result<quint8> readTileset(const QString &scenarioPath, qint32 eraPosition)
{
    const Result<ScenarioFile> file = ScenarioFile::read(scenarioPath, scenarioPath);
    if (!file)
        return file.failure();
    return tilesetByte(*file, eraPosition);
}

Status writeTileset(const QString &scenarioPath, qint32 eraPosition, quint8 value,
                    const QString &mapName)
{
    if (eraPosition < 0)
        return noTileset(mapName);
    ScenarioPatcher patcher;
    if (Status opened = patcher.open(scenarioPath, -1, mapName.isEmpty() ? scenarioPath : mapName); !opened)
        return opened;
    const char byte = char(value);
    if (Status written = patcher.write(qint64(eraPosition) + kDataOffset, QByteArrayView(&byte, 1));
        !written)
        return written;
    return patcher.finish();
}

Result<TilesetByte> current(const QString &scenarioPath, const QString &mapName)
{
    // The section search would leave an empty file behind for a missing one.
    if (!QFileInfo(scenarioPath).isFile())
        return fail(FailureKind::NoMap,
                    TilesetText::tr("The map's working copy is gone. Load the map again."));
    const QString shown = mapName.isEmpty() ? scenarioPath : mapName;
    Status searched;
    const qint32 era = modFunctions::FindSection(scenarioPath, "ERA ", &searched);
    if (!searched)
        return fail(FailureKind::BadScenario,
                    TilesetText::tr("The scenario of \"%1\" cannot be read.").arg(shownPath(shown)));
    const Result<ScenarioFile> file = ScenarioFile::read(scenarioPath, shown);
    if (!file)
        return file.failure();
    const Result<quint8> value = tilesetByte(*file, era, mapName);
    if (!value)
        return value.failure();
    return TilesetByte{era, *value};
}

Status apply(const QString &scenarioPath, int number, qint32 expectedPosition,
             const QString &mapName)
{
    if (number < 0 || number > 7)
        return fail(FailureKind::Values, TilesetText::tr("%1 is not a tileset number.").arg(number));
    const Result<TilesetByte> now = current(scenarioPath, mapName);
    if (!now)
        return now.failure();
    if (expectedPosition >= 0 && now->position != expectedPosition)
        return fail(FailureKind::BadScenario,
                    TilesetText::tr("The map changed while the tileset dialog was open. Open the "
                                "dialog again."));
    return writeTileset(scenarioPath, now->position, quint8(number), mapName);
}

} // namespace tileset
