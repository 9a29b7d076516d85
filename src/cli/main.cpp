// velmora-cli: the program's whole job from the command line, with the windows' core code.
// Only Qt Core is linked, so it runs where there is no display; Qt's picture decoders are
// loaded only for a picture the core's own readers leave out.
#include "cli/CommandLineNames.h"
#include "cli/Companion.h"
#include "cli/PictureModule.h"
#include "cli/PrivateFolder.h"
#include "core/common/MessageText.h"
#include "core/common/ShortLivedHeap.h"
#include "core/settings/Language.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define velmora_isatty _isatty
#else
#include <unistd.h>
#define velmora_isatty isatty
#endif

int main(int argc, char **argv)
{
    shortlivedheap::keepFreedMemoryForReuse();
    // First, while this is the only thread: a signal must not leave a copy of a map behind.
    removePrivateFoldersOnSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    messagetext::installHandler("velmora-cli");
    // The desktop's language (LANG, LANGUAGE); the exit statuses are the same in every one.
    language::start(QString::fromLatin1(language::System), QCoreApplication::applicationDirPath());
    picturemodule::installOnDemand();
    QTextStream out(stdout);
    QTextStream err(stderr);
    // File names from the command line's bytes, not from Qt's decoding of them.
    const CommandLineNames names(argc, argv);
    Companion companion(out, err, velmora_isatty(fileno(stderr)) != 0);
    companion.setShownNames([&names](const QString &text) { return names.shown(text); });
    return companion.run(names.arguments());
}
