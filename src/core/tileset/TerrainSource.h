#pragma once

#include "core/common/OutputTarget.h"
#include "core/common/Result.h"
#include "core/tileset/TileMap.h"

#include <QString>

#include <memory>

class ArchiveAccess;

namespace settings {
class Changes;
}

namespace terrain {

class TileGraphics;

/// The environment variable that names a game data folder when none is set otherwise.
inline constexpr char GameDataVariable[] = "VELMORA_GAME_DATA";

/// The game data folder: `chosen` when it is not empty, otherwise VELMORA_GAME_DATA,
/// otherwise an empty string (no game data).
[[nodiscard]] QString gameDataFolder(const QString &chosen);

/// The game data folder stored in the settings file `configFile` (settings::GameData), or
/// VELMORA_GAME_DATA when none is stored.
[[nodiscard]] QString storedGameDataFolder(const QString &configFile);
/// The game data `folder` as an input of a job that draws terrain: everything inside it is
/// read, so no output may go there (see outputtarget::checkNotInput).
[[nodiscard]] outputtarget::Input gameDataInput(const QString &folder);
/// Adds `folder` (empty: none) as the game data folder to `changes`.
/// @return A failure (FailureKind::Settings) when the path is too long to be kept.
[[nodiscard]] Status setGameDataFolder(settings::Changes *changes, const QString &folder);
/// Stores `folder` as the game data folder at once (see setGameDataFolder).
/// @return A failure (FailureKind::Settings) when the settings file cannot take it.
[[nodiscard]] Status storeGameDataFolder(const QString &configFile, const QString &folder);

/// Loads the graphics of tileset `tileset` (masked with 7) from the game data `folder`,
/// reading archives through `archives`. A failure has FailureKind::GameData.
[[nodiscard]] Result<std::shared_ptr<const TileGraphics>>
loadTileGraphics(const ArchiveAccess &archives, const QString &folder, int tileset);

/// The terrain of the map archive `mapPath`, its scenario entry read into memory.
[[nodiscard]] Result<TileMap> readMapTerrain(const ArchiveAccess &archives, const QString &mapPath);

} // namespace terrain
