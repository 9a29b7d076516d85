#include "ui/frmPicture.h"

#include "core/picture/ColorKey.h"
#include "core/picture/PicturePipeline.h"
#include "ui/PictureHost.h"
#include "core/qtimage/QtImage.h"
#include "ui/frmColorList.h"
#include "ui/UserDialogs.h"
#include "ui/DroppedFile.h"
#include "ui/PictureZoom.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QWheelEvent>
#include <QPixmap>
#include <QPushButton>

frmPicture::frmPicture(PictureHost &host, UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_host(host)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmPicture"));
    setWindowTitle(tr("::[Picture]:::...."));

    picMain = new QLabel(this);
    picMain->setObjectName(QStringLiteral("picMain"));
    // Unscaled, top-left pixel at the box's origin; a larger picture is clipped.
    picMain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picMain->setScaledContents(false);
    picMain->setAccessibleName(tr("Picture"));

    btnLoad = new QPushButton(tr("&Load"), this);
    btnLoad->setObjectName(QStringLiteral("btnLoad"));
    btnLoad->setGeometry(3, 6, 64, btnLoad->sizeHint().height());
    connect(btnLoad, &QPushButton::clicked, this, &frmPicture::btnLoad_Click);

    setAcceptDrops(true);
    createZoomActions();
    createFitActions();

    const int width = host.mapWidth();
    const int height = host.mapHeight();
    layoutForMap(width > 0 ? width : 0, height > 0 ? height : 0);
}

namespace {

// Suffixes the picture decoder reads, as listed in the Open dialog.
const QStringList PictureSuffixes{QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg"),
                                  QStringLiteral("jpeg"), QStringLiteral("png")};

} // namespace

QString frmPicture::openFilter()
{
    // The first entries keep their long-standing texts; PNG is read too, so the first
    // entry's (hidden) patterns include it and it has an entry of its own.
    return tr("All Picture Files (*.bmp; *.gif; *.jpg) (*.bmp *.gif *.jpg *.jpeg *.png);;"
              "Bitmap Images (*.bmp) (*.bmp);;"
              "GIF Images (*.gif) (*.gif);;"
              "JPEG Images (*.jpg; *.jpeg) (*.jpg *.jpeg);;"
              "PNG Images (*.png) (*.png);;"
              "All Files (*.*) (*)");
}

void frmPicture::createZoomActions()
{
    struct Item
    {
        QString text;
        QList<QKeySequence> keys;
        double zoom; // 0: fit; -1: one step in; -2: one step out
    };
    const Item items[] = {
        {tr("Zoom &In"), {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::Key_Plus),
                          QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::Key_Equal)}, -1},
        {tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence(Qt::Key_Minus)}, -2},
        {tr("&1x"), {QKeySequence(Qt::Key_1), QKeySequence(Qt::CTRL | Qt::Key_0)}, 1},
        {tr("&2x"), {QKeySequence(Qt::Key_2)}, 2},
        {tr("&4x"), {QKeySequence(Qt::Key_4)}, 4},
        {tr("&8x"), {QKeySequence(Qt::Key_8)}, 8},
        {tr("&Fit"), {QKeySequence(Qt::Key_F), QKeySequence(Qt::Key_0)}, picturezoom::Fit},
    };
    for (const Item &item : items) {
        auto *action = new QAction(item.text, this);
        action->setShortcuts(item.keys);
        // Only while the picture window has focus: elsewhere these keys are ordinary keys.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const double zoom = item.zoom;
        connect(action, &QAction::triggered, this, [this, zoom] {
            if (zoom == -1)
                setZoom(picturezoom::stepIn(m_factor));
            else if (zoom == -2)
                setZoom(picturezoom::stepOut(m_factor));
            else
                setZoom(zoom);
        });
        addAction(action);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void frmPicture::createFitActions()
{
    // Submenus of the context menu, after the zoom steps.
    auto addChoices = [this](QAction *holder, const QStringList &texts, QList<QAction *> &actions) {
        auto *menu = new QMenu(this);
        auto *group = new QActionGroup(menu);
        for (const QString &text : texts) {
            QAction *action = menu->addAction(text);
            action->setCheckable(true);
            group->addAction(action);
            actions.append(action);
            connect(action, &QAction::triggered, this, [this] {
                const auto checked = [](const QList<QAction *> &choices) {
                    for (qsizetype i = 0; i < choices.size(); ++i)
                        if (choices[i]->isChecked())
                            return int(i);
                    return 0;
                };
                m_fit = {picture::Fit(checked(fitActions)), picture::Resample(checked(resampleActions))};
                emit fitChosen(m_fit);
            });
        }
        holder->setMenu(menu);
        addAction(holder);
    };
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    // In the order of picture::Fit and picture::Resample.
    mnuFit = new QAction(tr("Fi&t to Map"), this);
    addChoices(mnuFit, {tr("&None (top-left corner)"), tr("&Stretch"), tr("&Contain"), tr("C&over")},
               fitActions);
    mnuResample = new QAction(tr("&Resampling"), this);
    addChoices(mnuResample, {tr("&Area (mean colour)"), tr("&Nearest pixel")}, resampleActions);
    showFitOptions(m_fit);
}

void frmPicture::showFitOptions(const picture::FitOptions &options)
{
    m_fit = options;
    fitActions.at(int(options.fit))->setChecked(true);
    resampleActions.at(int(options.resample))->setChecked(true);
}

void frmPicture::setZoom(double factor)
{
    m_zoom = factor;
    applyZoom();
}

QSize frmPicture::fitRoom() const
{
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || !frame->mdiArea())
        return m_mapSize;
    const QSize border = frame->size() - size();
    return frame->mdiArea()->viewport()->size() - border
        - QSize(6, btnLoad->height() + 8);
}

void frmPicture::layoutForMap(int width, int height)
{
    m_mapSize = QSize(qMax(0, width), qMax(0, height));
    applyZoom();
}

void frmPicture::applyZoom()
{
    m_factor = m_zoom == picturezoom::Fit ? picturezoom::fitFactor(m_mapSize, fitRoom()) : m_zoom;
    const int width = qRound(m_mapSize.width() * m_factor);
    const int height = qRound(m_mapSize.height() * m_factor);
    picMain->setGeometry(3, 3, width, height);
    const int buttonHeight = btnLoad->height();
    btnLoad->setGeometry(3, height + 6, width, buttonHeight);
    setFixedSize(width + 6, height + buttonHeight + 8);
    if (!m_shown.isNull())
        picMain->setPixmap(picturezoom::render(m_shown, m_mapSize, m_factor));
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->adjustSize();
}

void frmPicture::wheelEvent(QWheelEvent *event)
{
    // One notch (120) per step; a touchpad's small deltas add up to notches.
    m_wheelRest += event->angleDelta().y();
    while (m_wheelRest >= 120) {
        m_wheelRest -= 120;
        setZoom(picturezoom::stepIn(m_factor));
    }
    while (m_wheelRest <= -120) {
        m_wheelRest += 120;
        setZoom(picturezoom::stepOut(m_factor));
    }
    event->accept();
}

void frmPicture::dragEnterEvent(QDragEnterEvent *event)
{
    // Anything else (a map, several files) is left to the main window.
    if (!droppedFile(event->mimeData(), PictureSuffixes).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void frmPicture::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData(), PictureSuffixes);
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QMetaObject::invokeMethod(this, [this, path] { loadPictureFile(path); }, Qt::QueuedConnection);
}

void frmPicture::emptyPicture()
{
    m_picture = picture::Pixels();
    m_shown = QImage();
    picMain->clear();
}

void frmPicture::btnLoad_Click()
{
    if (m_loading)
        return;
    const QString path = m_dialogs.getOpenFileName(this, tr("Open"), m_lastPath,
                                                   openFilter());
    if (path.isEmpty()) {
        emptyPicture();
        return;
    }
    loadPictureFile(path);
}

void frmPicture::showPicture(const picture::Pixels &pixels)
{
    if (pixels.isNull()) {
        emptyPicture();
        return;
    }
    m_picture = pixels;
    m_shown = qtimage::toImage(m_picture); // the same pixels, not a copy
    picMain->setPixmap(picturezoom::render(m_shown, m_mapSize, m_factor));
}

void frmPicture::loadPictureFile(const QString &path)
{
    // The status updates repaint without taking input, but a load is never re-entered.
    if (m_loading)
        return;
    m_loading = true;
    struct Reset { bool &flag; ~Reset() { flag = false; } } reset{m_loading};
    m_lastPath = path;

    frmColorList *list = m_host.colorList();
    if (!list) {
        emptyPicture();
        return;
    }
    // The old lists stay until the picture is ready, so a picture that fails leaves them
    // exactly as they were.
    const bool listWasEnabled = list->lstColor->isEnabled();
    list->lstColor->setEnabled(false);
    picture::PrepareDetail detail;
    Result<picture::Prepared> prepared =
        picture::prepare(path, QSize(m_host.mapWidth(), m_host.mapHeight()), {m_fit, {}},
                         [this](const QString &text) { m_host.setStatus(text); }, &detail);
    if (!prepared) {
        list->lstColor->setEnabled(listWasEnabled);
        emptyPicture();
        reportFailure(path, prepared.failure(), detail);
        return;
    }
    showPicture(prepared->pixels);
    m_host.setStatus(tr("Removing duplicates..."));
    m_host.usePicture(path, std::move(prepared).value(), m_fit);
    m_host.setStatus(tr("Picture loaded!"));

    list->lstColor->setEnabled(true);
    m_host.showColorList();
    m_host.enableConversion();
}

void frmPicture::reportFailure(const QString &path, const ::Failure &failure,
                               const picture::PrepareDetail &detail)
{
    m_host.setStatus(tr("%1 could not be loaded: %2.").arg(QFileInfo(path).fileName(), failure.sentence));
    if (failure.kind == FailureKind::TooManyColors) {
        m_dialogs.showMessage(
            this, QMessageBox::Warning, tr("Load Picture"),
            m_fit.fit == picture::Fit::None
                ? tr("The map's area of this picture has too many colors for the color "
                     "list (%1 > %2).\n\nReduce the number of colors in the picture "
                     "and load it again.")
                      .arg(detail.distinctColors)
                      .arg(colorkey::MaxColors)
                : tr("The picture fitted to the map has too many colors for the color "
                     "list (%1 > %2).\n\nDither in the color list gives it the colors "
                     "of the tiles instead.")
                      .arg(detail.distinctColors)
                      .arg(colorkey::MaxColors));
        return;
    }
    // A file that is simply no picture says so on the status line; a picture Velmora
    // refuses for its size or an incomplete file says why in a message too.
    if (detail.read == picture::Failure::TooLarge || detail.read == picture::Failure::Truncated)
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Load Picture"),
                              tr("%1 cannot be used: %2.").arg(path, failure.sentence));
}
