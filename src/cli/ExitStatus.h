#pragma once

#include "core/common/Result.h"

/// The companion's exit statuses: one per class of failure, so scripts can tell them apart.
/// The numbers are documented in --help and in docs/cli.md; never renumber them.
namespace exitstatus {

enum Code : int {
    Ok = 0,
    Failed = 1,          ///< any failure not listed below
    Usage = 2,           ///< unknown command or option, missing argument, unknown tileset
    MapUnreadable = 3,   ///< the map file is missing or cannot be read
    NotAnArchive = 4,    ///< the map file is not a map archive, or it is damaged
    NoScenario = 5,      ///< the archive has no "staredit\scenario.chk"
    MapSize = 6,         ///< no "DIM " section, or a width or height other than 64/96/128/192/256
    BadPicture = 7,      ///< the picture is missing or does not decode
    TooManyColors = 8,   ///< the map's area of the picture has more than 32767 colours
    BadColorFile = 9,    ///< the colour file cannot be read or a line is malformed
    ValueOutOfRange = 10,///< a tile value is not a whole number from 0 to 32767
    BadScenario = 11,    ///< "TILE", "MTXM" or "ERA " missing or too short: nothing converted
    CannotReplace = 12,  ///< the output file cannot be written or replaced
    WorkFolder = 13,     ///< the working folder cannot be made or used (also: its disk is full)
    Protected = 14,      ///< the map archive is protected or read-only for writing
    GameData = 15,       ///< the game data folder is missing, or its tileset files are damaged
};

/// The status of a failure, by its kind alone.
constexpr Code fromKind(FailureKind kind)
{
    switch (kind) {
    case FailureKind::MapUnreadable: return MapUnreadable;
    case FailureKind::NotAnArchive:
    case FailureKind::Damaged: return NotAnArchive;
    case FailureKind::NoScenario: return NoScenario;
    case FailureKind::UnsupportedSize: return MapSize;
    case FailureKind::Picture: return BadPicture;
    case FailureKind::TooManyColors: return TooManyColors;
    case FailureKind::Colors: return BadColorFile;
    case FailureKind::Values: return ValueOutOfRange;
    case FailureKind::BadScenario: return BadScenario;
    case FailureKind::Output: return CannotReplace;
    case FailureKind::WorkingFolder: return WorkFolder;
    case FailureKind::ProtectedArchive: return Protected;
    case FailureKind::GameData: return GameData;
    default: return Failed;
    }
}

} // namespace exitstatus
