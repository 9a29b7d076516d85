#pragma once

/// The companion's exit statuses: one per class of failure, so scripts can tell them apart.
/// The numbers are documented in --help and in docs/cli.md; never renumber them.
namespace exitstatus {

enum Code : int {
    Ok = 0,
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
    WorkFolder = 13,     ///< the private working folder cannot be made or used
};

} // namespace exitstatus
