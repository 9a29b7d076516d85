#include "ui/frmPicture.h"

#include "core/picture/PictureReader.h"
#include "ui/PictureHost.h"
#include "core/picture/PixelScan.h"
#include "ui/frmColorList.h"
#include "ui/UserDialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

frmPicture::frmPicture(PictureHost &host, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmPicture"));
    setWindowTitle(QStringLiteral("::[Picture]:::...."));

    picMain = new QLabel(this);
    picMain->setObjectName(QStringLiteral("picMain"));
    // Unscaled, top-left pixel at the box's origin; a larger picture is clipped.
    picMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picMain->setScaledContents(false);
    picMain->setAccessibleName(QStringLiteral("Picture"));

    btnLoad = new QPushButton(QStringLiteral("&Load"), this);
    btnLoad->setObjectName(QStringLiteral("btnLoad"));
    btnLoad->setGeometry(3, 6, 64, btnLoad->sizeHint().height());
    connect(btnLoad, &QPushButton::clicked, this, &frmPicture::btnLoad_Click);

    const int width = host.mapWidth();
    const int height = host.mapHeight();
    layoutForMap(width > 0 ? width : 0, height > 0 ? height : 0);
}

QString frmPicture::openFilter()
{
    return QStringLiteral("All Picture Files (*.bmp; *.gif; *.jpg) (*.bmp *.gif *.jpg);;"
                          "Bitmap Images (*.bmp) (*.bmp);;"
                          "GIF Images (*.gif) (*.gif);;"
                          "JPEG Images (*.jpg; *.jpeg) (*.jpg *.jpeg);;"
                          "All Files (*.*) (*)");
}

void frmPicture::layoutForMap(int width, int height)
{
    width = qMax(0, width);
    height = qMax(0, height);
    picMain->setGeometry(3, 3, width, height);
    const int buttonHeight = btnLoad->height();
    btnLoad->setGeometry(3, height + 6, width, buttonHeight);
    setFixedSize(width + 6, height + buttonHeight + 8);
}

void frmPicture::emptyPicture()
{
    m_picture = QImage();
    picMain->clear();
}

void frmPicture::btnLoad_Click()
{
    // The status updates repaint without taking input, but a load is never re-entered.
    if (m_loading)
        return;
    m_loading = true;
    struct Reset { bool &flag; ~Reset() { flag = false; } } reset{m_loading};

    const QString path = m_dialogs.getOpenFileName(this, QStringLiteral("Open"), m_lastPath,
                                                   openFilter());
    if (path.isEmpty()) {
        emptyPicture();
        return;
    }
    m_lastPath = path;

    // Only the map-sized top-left area is ever decoded, kept and shown.
    picture::Area area = picture::readArea(path, QSize(m_host.mapWidth(), m_host.mapHeight()));
    if (!area.ok()) {
        emptyPicture();
        // A file that is simply no picture empties the box as before; a picture Velmora
        // refuses for its size or an incomplete file says why.
        if (area.failure == picture::Failure::TooLarge || area.failure == picture::Failure::Truncated)
            m_dialogs.showMessage(this, QMessageBox::Warning, tr("Load Picture"),
                                  tr("%1 cannot be used: %2.").arg(path, area.reason));
        return;
    }
    m_picture = std::move(area.pixels);
    picMain->setPixmap(QPixmap::fromImage(m_picture));

    frmColorList *list = m_host.colorList();
    if (!list) {
        emptyPicture();
        return;
    }

    // The old lists stay until the scan has succeeded, so a picture with too many colours
    // leaves them exactly as they were.
    const bool listWasEnabled = list->lstColor->isEnabled();
    list->lstColor->setEnabled(false);

    const int width = m_host.mapWidth();
    const int height = m_host.mapHeight();
    const pixelscan::ScanResult scanned =
        pixelscan::scan(m_picture, width, height, [this, width, height](int rowsDone) {
            m_host.setStatus(QStringLiteral("Scanning pixels... %1% complete.")
                                 .arg(pixelscan::progressPercent(rowsDone, width, height)));
        });

    if (scanned.tooManyColors) {
        list->lstColor->setEnabled(listWasEnabled);
        emptyPicture();
        m_dialogs.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Load Picture"),
            QStringLiteral("The map's area of this picture has too many colors for the color "
                           "list (%1 > %2).\n\nReduce the number of colors in the picture "
                           "and load it again.")
                .arg(scanned.distinctColors)
                .arg(colorkey::MaxColors));
        return;
    }

    m_host.setStatus(QStringLiteral("Removing duplicates..."));
    list->setColors(scanned.keys);
    m_host.setStatus(QStringLiteral("Picture loaded!"));

    list->lstColor->setEnabled(true);
    m_host.showColorList();
    m_host.enableConversion();
}
