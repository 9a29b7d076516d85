#include "ui/Artwork.h"
#include "ui/UserDialogs.h"
#include "ui/frmSplash.h"
#include "ui/mdiMain.h"

#include <QApplication>
#include <QMetaObject>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR));
    QApplication::setWindowIcon(programIcon());
    // The program ends with its main window, not with the splash that comes before it.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programDir = QCoreApplication::applicationDirPath();
    QtUserDialogs dialogs;
    mdiMain mainWindow(programDir, dialogs);
    QObject::connect(&mainWindow, &mdiMain::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    frmSplash splash(programDir, [&mainWindow, &app] {
        // A second instance ends silently here, where its main window would appear.
        if (!mainWindow.MDIForm_Load())
            QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
    });
    splash.start();
    return app.exec();
}
