#include "core/tileset/TerrainSource.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/UserText.h"
#include "core/scenario/Workspace.h"
#include "core/settings/Settings.h"
#include "core/tileset/GameData.h"
#include "core/tileset/TileGraphics.h"

#include <QObject>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct TerrainSourceText
{
    Q_DECLARE_TR_FUNCTIONS(TerrainSource)
};

} // namespace

namespace terrain {

QString gameDataFolder(const QString &chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    return qEnvironmentVariable(GameDataVariable);
}

QString storedGameDataFolder(const QString &configFile)
{
    return gameDataFolder(settings::read(configFile, settings::GameData));
}

outputtarget::Input gameDataInput(const QString &folder)
{
    return {folder, TerrainSourceText::tr("in the game data folder \"%1\"").arg(shownPath(folder)),
            true};
}

Status setGameDataFolder(settings::Changes *changes, const QString &folder)
{
    if (!changes->set(settings::GameData, folder))
        return Status::failure(FailureKind::Settings,
                               TerrainSourceText::tr("The path of the game data folder \"%1\" is too long "
                                           "to be kept in the settings file.")
                                   .arg(shownPath(folder)));
    return Status::success();
}

Status storeGameDataFolder(const QString &configFile, const QString &folder)
{
    settings::Changes changes;
    if (Status set = setGameDataFolder(&changes, folder); !set)
        return set;
    if (!changes.store(configFile))
        return Status::failure(FailureKind::Settings,
                               TerrainSourceText::tr("The settings file \"%1\" cannot be written.")
                                   .arg(shownPath(configFile)));
    return Status::success();
}

Result<std::shared_ptr<const TileGraphics>> loadTileGraphics(const ArchiveAccess &archives,
                                                             const QString &folder, int tileset)
{
    if (folder.isEmpty())
        return fail(FailureKind::GameData,
                    TerrainSourceText::tr("No game data folder is set: terrain graphics come from the "
                                "folder the game is installed in."));
    GameData data;
    if (Status located = GameData::locate(folder, &data); !located)
        return located.failure();
    TilesetFiles files;
    if (Status read = data.readTileset(archives, tileset, &files); !read)
        return read.failure();
    auto graphics = std::make_shared<TileGraphics>();
    if (Status made = TileGraphics::create(std::move(files), graphics.get()); !made)
        return made.failure();
    return std::shared_ptr<const TileGraphics>(std::move(graphics));
}

Result<TileMap> readMapTerrain(const ArchiveAccess &archives, const QString &mapPath)
{
    QByteArray scenario;
    if (Status read = archives.readEntry(mapPath, Workspace::ScenarioEntry,
                                         &scenario);
        !read)
        return read.failure();
    TileMap map;
    if (Status parsed = readTileMap(scenario, shownPath(mapPath), &map); !parsed)
        return parsed.failure();
    return map;
}

} // namespace terrain
