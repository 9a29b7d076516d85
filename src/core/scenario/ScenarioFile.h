#pragma once

#include "core/common/Outcome.h"

#include <QString>
#include <QStringList>

/// The few facts the program reads from a scenario file.
namespace scenario {

/// One map dimension from its two "DIM " bytes: when the high byte is exactly 1 the
/// dimension is 256, otherwise it is the low byte alone (so 320 reads as 256, 576 as 64).
int dimensionFromBytes(quint8 low, quint8 high);

/// True for the map sizes the program accepts: 64, 96, 128, 192 or 256 tiles.
bool isAcceptedDimension(int tiles);

struct MapSize
{
    qint16 width = 0;
    qint16 height = 0;
};

/// Reads width and height from the bytes at R+4 .. R+7 of the scenario file, R being the
/// FindSection result for "DIM ". Fails (with a reason) when R < 0, the file cannot be
/// read, or it is too short to hold the four bytes; `size` is then left alone.
Outcome readMapSize(const QString &scenarioPath, qint32 dimPosition, MapSize *size);

/// The tileset names; the index is the tileset number ("Badlands" = 0 ... "Twilight" = 7).
const QStringList &tilesetNames();

} // namespace scenario
