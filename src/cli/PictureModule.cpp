#include "cli/PictureModule.h"

#include "core/common/HelperFiles.h"
#include "core/picture/PictureFormats.h"

#include <QCoreApplication>
#include <QLibrary>

#include <memory>

namespace {

/// This file's sentences, in their own translation context.
struct PictureModuleText
{
    Q_DECLARE_TR_FUNCTIONS(PictureModule)
};

} // namespace

namespace picturemodule {
namespace {

struct Loaded
{
    /// Kept until the program ends (a QLibrary never unloads on its own).
    std::unique_ptr<QLibrary> library;
    picture::WholeDecoder decoder = nullptr;
    QString problem; ///< why there is no decoder: one sentence for the user
};

Loaded load()
{
    Loaded loaded;
    const QString path = find(QCoreApplication::applicationDirPath());
    if (path.isEmpty()) {
        loaded.problem = PictureModuleText::tr("this kind of picture needs Qt's picture decoders, "
                                             "and %1, which holds them, is not installed")
                             .arg(fileName());
        return loaded;
    }
    loaded.library = std::make_unique<QLibrary>(path);
    QLibrary *library = loaded.library.get();
    if (!library->load()) {
        loaded.problem = PictureModuleText::tr("this kind of picture needs Qt's picture decoders, "
                                             "and %1, which holds them, cannot be loaded: %2")
                             .arg(fileName(), library->errorString());
    } else if (const auto entry = reinterpret_cast<Entry>(library->resolve(EntryName));
               !entry || !(loaded.decoder = entry())) {
        loaded.problem = PictureModuleText::tr("this kind of picture needs Qt's picture decoders, "
                                             "and the %1 found does not hold them")
                             .arg(fileName());
    }
    return loaded;
}

picture::Area decodeOnDemand(QIODevice &file, QSize map)
{
    static const Loaded loaded = load();
    if (!loaded.decoder)
        return picture::detail::failed(picture::Failure::Unsupported, loaded.problem);
    return loaded.decoder(file, map);
}

} // namespace

QString fileName()
{
    return QStringLiteral(VELMORA_PICTURE_MODULE);
}

QString find(const QString &programDir)
{
    return findHelperFile(programDir, fileName(), false);
}

void installOnDemand()
{
    picture::setWholeDecoder(&decodeOnDemand);
}

} // namespace picturemodule
