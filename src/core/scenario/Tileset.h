#pragma once

#include "core/common/Outcome.h"

#include <QString>

#include <optional>

/// The map's tileset: the first data byte of the scenario file's "ERA " section.
namespace tileset {

/// Reads the tileset byte at `eraPosition` + 4, `eraPosition` being the FindSection result
/// for "ERA " (the offset of the section's length field).
///
/// @return The byte, or nullopt when `eraPosition` < 0 (no "ERA " section), the file
///         cannot be read, or it ends before that byte.
std::optional<quint8> readTileset(const QString &scenarioPath, qint32 eraPosition);

/// Writes `value` as the single byte at `eraPosition` + 4, in place. The byte after it and
/// the rest of the file stay as they are, and the file's length never changes.
///
/// @return A failure with its reason when `eraPosition` < 0, the file is missing or cannot
///         be written, or it ends before that byte; nothing is written then.
Outcome writeTileset(const QString &scenarioPath, qint32 eraPosition, quint8 value);

} // namespace tileset
