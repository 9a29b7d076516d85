// Build tool: writes the program's icon as PNG files for the icon theme,
// "<folder>/<size>.png" for each size given.
#include "ui/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: velmora-icon-tool FOLDER SIZE...\n");
        return 2;
    }
    const QDir folder(args.first());
    if (!QDir().mkpath(folder.path()))
        return 1;
    for (const QString &sizeText : args.mid(1)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        const QString file = folder.filePath(sizeText + QStringLiteral(".png"));
        if (!ok || size < 16 || size > 1024 || !programIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "velmora-icon-tool: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
