#pragma once

#include "core/picture/PictureReader.h"

#include <QString>

/// velmora-picture-qt, the module with Qt's picture decoders, as the companion's
/// whole-picture decoder: loaded the first time a picture needs it, from the folder of
/// velmora-cli or the program's private folder ../libexec/velmora beside it.
namespace picturemodule {

/// The module's file name, e.g. "velmora-picture-qt.so".
QString fileName();

/// The module beside `programDir` or in its ../libexec/velmora; empty when neither holds it.
[[nodiscard]] QString find(const QString &programDir);

/// Installs the decoder that loads the module on first use (picture::setWholeDecoder).
/// When the module is missing or does not load, such pictures are refused as undecodable
/// with the cause.
void installOnDemand();

/// What the module exports: its whole-picture decoder.
using Entry = picture::WholeDecoder (*)();
constexpr const char *EntryName = "velmoraWholeDecoder";

} // namespace picturemodule
