#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace terrain {

/// A map's terrain: its "MTXM" tile values, row by row, and its tileset number.
struct TileMap
{
    int width = 0;
    int height = 0;
    int tileset = 0;          ///< the "ERA " value masked with 7
    QList<quint16> values;    ///< width * height values

    quint16 at(int x, int y) const { return values.at(qsizetype(y) * width + x); }
};

/// How a "MTXM" section shorter than the map is taken: shown (the rest of the map at value 0,
/// as the game shows it), or refused as damaged as a conversion refuses it.
enum class ShortTiles { Shown, Refused };

/// Reads the terrain from the bytes of a scenario file. Each section is the first
/// occurrence of its name, as everywhere in the program.
/// @return A failure naming `shownName` when "DIM ", "ERA " or "MTXM" is missing or
///         ends early, or the map size is not one the program accepts.
[[nodiscard]] Status readTileMap(const QByteArray &scenario, const QString &shownName,
                                  TileMap *map, ShortTiles shortTiles = ShortTiles::Shown);

/// The same, from a scenario file on disk (read whole, up to a size no map comes near).
[[nodiscard]] Status readTileMapFile(const QString &scenarioPath, const QString &shownName,
                                      TileMap *map, ShortTiles shortTiles = ShortTiles::Shown);

} // namespace terrain
