#pragma once

#include "core/picture/Pixels.h"

#include <QString>

class QIODevice;

namespace picture {

/// Writes `pixels` as an 8-bit RGB PNG (alpha is dropped: the pictures written are opaque)
/// to `out`. False, with the cause in `error`, when the device refuses the bytes.
[[nodiscard]] bool writeOpaquePng(const Pixels &pixels, QIODevice &out, QString *error);

} // namespace picture
