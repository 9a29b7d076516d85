#pragma once

#include "core/common/Result.h"

#include <QString>

class ScenarioFile;

/// The map's tileset: the first data byte of the scenario file's "ERA " section.
namespace tileset {

/// The tileset byte at `eraPosition` + 4 of `file`, `eraPosition` being the "ERA " position
/// (the offset of the section's length field). Fails (kind BadScenario) when
/// `eraPosition` < 0 (no "ERA " section) or the file ends before that byte.
Result<quint8> tilesetByte(const ScenarioFile &file, qint32 eraPosition,
                           const QString &mapName = {});

/// The same for the file at `scenarioPath`; also fails when it cannot be read.
Result<quint8> readTileset(const QString &scenarioPath, qint32 eraPosition);

/// Writes `value` as the single byte at `eraPosition` + 4, in place. The byte after it and
/// the rest of the file stay as they are, and the file's length never changes. Failure
/// sentences name `mapName` (the user's map) or, when it is empty, the file itself.
///
/// @return A failure with its reason when `eraPosition` < 0, the file is missing or cannot
///         be written, or it ends before that byte; nothing is written then.
Status writeTileset(const QString &scenarioPath, qint32 eraPosition, quint8 value,
                    const QString &mapName = {});

/// Where the tileset byte is and what it holds.
struct TilesetByte
{
    qint32 position = -1; ///< the "ERA " position
    quint8 value = 0;
};

/// The tileset of the scenario file at `scenarioPath` as it is now. A missing file stays
/// missing. Failure sentences name `mapName` (or the file when it is empty).
Result<TilesetByte> current(const QString &scenarioPath, const QString &mapName = {});

/// Writes tileset `number` (0..7) where current() finds it now. With `expectedPosition` >= 0
/// the "ERA " section must still be at that position (the file may have been replaced by
/// another map since it was read); otherwise nothing is written.
Status apply(const QString &scenarioPath, int number, qint32 expectedPosition = -1,
             const QString &mapName = {});

} // namespace tileset
