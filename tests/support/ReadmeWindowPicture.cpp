// Writes the README's picture of the main window (docs/main-window.png): the real windows,
// drawn offscreen (so without title bars), with a made-up map, a made-up picture and the
// made-up tiles of SyntheticTileset as the game data, never the game's own.
#include "SyntheticTileset.h"
#include "TestSupport.h"
#include "ui/Artwork.h"
#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "ui/mdiMain.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMdiSubWindow>

#include <cstdio>

namespace {

/// An island: sand inside grass inside water, as a map maker might paint for 64 x 64 tiles.
QImage island()
{
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double d = ((x - 32) * (x - 32)) / 400.0 + ((y - 32) * (y - 32)) / 256.0;
            image.setPixel(x, y, d < 0.3 ? qRgb(230, 200, 140) : d < 1.0 ? qRgb(40, 160, 60)
                                                                      : qRgb(30, 90, 200));
        }
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: readme_window_picture OUT.png\n");
        return 2;
    }
    QApplication::setWindowIcon(programIcon());
    testsupport::ProgramFolder folder;
    const QString gameData = folder.file("game");
    testsupport::SyntheticTileset::make(9).writeFolder(gameData + "/tileset", "jungle");
    testsupport::writeFile(folder.file("config.ini"),
                           "[Settings]\r\nLoadDialog=0\r\nGameData=" + gameData.toUtf8() + "\r\n");
    const QString map = folder.file("Island.scm");
    testsupport::writeMap(map, testsupport::scenario(64, 64, 4));
    const QString picture = folder.file("island.png");
    if (!island().save(picture))
        return 1;

    testsupport::ScriptedDialogs dialogs;
    mdiMain window(folder.path(), dialogs);
    window.resize(640, 460);
    if (!window.MDIForm_Load(map))
        return 1;
    dialogs.fileAnswers.push_back(picture);
    window.pictureWindow()->btnLoad_Click();
    frmColorList *list = window.existingColorList();
    if (!list)
        return 1;
    list->lstColor->setCurrentRow(1);
    list->txtReplace->setText("12");
    window.pictureWindow()->setZoom(2);
    // Side by side, as a user leaves them.
    window.pictureWindow()->parentWidget()->move(0, 0);
    list->parentWidget()->move(window.pictureWindow()->parentWidget()->width() + 20, 0);
    app.processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
