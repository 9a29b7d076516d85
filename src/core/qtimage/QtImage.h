#pragma once

#include "core/picture/PictureReader.h"
#include "core/picture/Pixels.h"

#include <QColor>
#include <QImage>

class QIODevice;

/// Where the program's plain pixels meet Qt's graphics library: the windows show pixels as
/// images, and Qt's decoders read the pictures the program's own readers leave out. Only the
/// windows (and tests) link this; velmora-cli loads Qt's decoders only when a file needs them.
namespace qtimage {

/// The pixels as an image of `format` (ARGB32 or RGB32, which share the pixel layout),
/// sharing their memory: no copy is made unless the image is written to.
[[nodiscard]] QImage toImage(const picture::Pixels &pixels,
                             QImage::Format format = QImage::Format_ARGB32);

/// The image's pixels as 32-bit ARGB.
[[nodiscard]] picture::Pixels fromImage(const QImage &image);

/// The colour a non-negative colour value stands for.
[[nodiscard]] QColor colorOf(qint32 value);

/// Qt's decoders for a whole picture (a JPEG only its `map` sized area): what
/// picture::setWholeDecoder takes.
[[nodiscard]] picture::Area readWhole(QIODevice &file, QSize map);

/// Installs readWhole as the whole-picture decoder.
void useQtDecoders();

} // namespace qtimage
