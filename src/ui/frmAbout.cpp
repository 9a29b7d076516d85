#include "ui/frmAbout.h"

#include "ui/Artwork.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

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

    // In a large font, or as a longer word in another language, the caption gets the whole
    // inside of its frame rather than be cut, and the frame grows to the left as far as the
    // caption needs.
    QStyleOptionButton opt;
    opt.initFrom(lbClose);
    opt.text = lbClose->text();
    const QRect room = lbClose->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, lbClose);
    const QSize caption(lbClose->fontMetrics().horizontalAdvance(lbClose->text()),
                        lbClose->fontMetrics().height());
    if (caption.height() > lbClose->height() || caption.width() > room.width()
        || caption.height() > room.height()) {
        const int inside = std::max(71, caption.width() + lbClose->width() - room.width());
        const int high = std::max(23, caption.height() + lbClose->height() - room.height());
        const int left = 376 - inside;
        lbClose->setGeometry(left, 217, inside, high);
        LineN->setGeometry(left - 1, 216, inside + 2, 1);
        LineW->setGeometry(left - 1, 216, 1, high + 2);
        LineS->setGeometry(left - 1, 217 + high, inside + 2, 1);
        LineE->setGeometry(376, 216, 1, high + 2);
    }

    lbClose->setFocus();
}

void frmAbout::lbClose_Click()
{
    accept();
}
