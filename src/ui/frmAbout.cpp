#include "ui/frmAbout.h"

#include "ui/Artwork.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>

namespace {

/// A one-pixel line of the frame around "Close", as a plain filled frame.
QFrame *frameLine(QWidget *parent, const char *name, const QRect &geometry, const QColor &colour)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setGeometry(geometry);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, colour);
    line->setPalette(pal);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
    , picAbout(new QLabel(this))
    , lbClose(new QPushButton(tr("Close"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About"));
    setModal(true);
    setFixedSize(402, 272);
    setSizeGripEnabled(false);

    picAbout->setObjectName(QStringLiteral("picAbout"));
    picAbout->setPixmap(aboutPicture());
    picAbout->setGeometry(0, 0, 402, 272);
    picAbout->setAccessibleName(tr("Velmora, version %1.%2")
                                    .arg(VELMORA_VERSION_MAJOR)
                                    .arg(VELMORA_VERSION_MINOR));

    lbClose->setObjectName(QStringLiteral("lbClose"));
    lbClose->setFlat(true);
    lbClose->setGeometry(304, 220, 73, 17);
    lbClose->setCursor(Qt::PointingHandCursor);
    lbClose->setAutoDefault(true);
    lbClose->setDefault(true);
    // White caption on the picture's dark field; a dotted outline shows keyboard focus.
    lbClose->setStyleSheet(QStringLiteral(
        "QPushButton#lbClose { color: white; background: transparent; border: none; padding: 0; }"
        "QPushButton#lbClose:focus { border: 1px dotted white; }"
        "QPushButton#lbClose:pressed { color: rgb(160, 190, 255); }"));
    connect(lbClose, &QPushButton::clicked, this, &frmAbout::lbClose_Click);

    const QColor bright(0, 0, 255);
    const QColor dark(0, 0, 192);
    LineN = frameLine(this, "LineN", QRect(304, 216, 73, 1), bright);
    LineW = frameLine(this, "LineW", QRect(304, 216, 1, 25), bright);
    LineS = frameLine(this, "LineS", QRect(304, 240, 73, 1), dark);
    LineE = frameLine(this, "LineE", QRect(376, 216, 1, 25), dark);

    // In a large font the caption gets the whole inside of its frame rather than be cut.
    if (lbClose->fontMetrics().height() > lbClose->height())
        lbClose->setGeometry(305, 217, 71, 23);

    lbClose->setFocus();
}

void frmAbout::lbClose_Click()
{
    accept();
}
