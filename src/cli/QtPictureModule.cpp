// velmora-picture-qt: Qt's picture decoders as a module that velmora-cli loads only when its
// own readers leave a file out (run-length BMP, CMYK JPEG, a first GIF frame smaller than
// the picture, formats other than BMP, PNG, GIF and JPEG). The companion itself never links
// Qt's graphics library, so an ordinary run does not pay for loading it.
#include "cli/PictureModule.h"
#include "core/qtimage/QtImage.h"

extern "C" Q_DECL_EXPORT picture::WholeDecoder velmoraWholeDecoder()
{
    return &qtimage::readWhole;
}
