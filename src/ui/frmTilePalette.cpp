#include "ui/frmTilePalette.h"

#include "core/tileset/TileGraphics.h"
#include "ui/TilePaletteModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace {

/// Draws a tile cell as its tile scaled to the cell, framed when selected; the group cells
/// are ordinary text cells with a check box.
class TileDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QVariant image = index.data(Qt::DecorationRole);
        if (index.column() == TilePaletteModel::GroupColumn || image.typeId() != QMetaType::QImage) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QImage tile = image.value<QImage>();
        const QRect target = option.rect.adjusted(1, 1, -1, -1);
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform, target.width() < tile.width());
        painter->drawImage(target, tile);
        if (option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) {
            // Two rings, so the frame shows on dark and light tiles alike.
            painter->setBrush(Qt::NoBrush);
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
            painter->setPen(QPen(option.palette.color(QPalette::HighlightedText), 1));
            painter->drawRect(option.rect.adjusted(2, 2, -3, -3));
        }
        painter->restore();
    }
};

} // namespace

frmTilePalette::frmTilePalette(std::shared_ptr<const terrain::TileGraphics> graphics,
                               QWidget *parent)
    : ChildDialog(parent), m_graphics(std::move(graphics))
{
    setObjectName(QStringLiteral("frmTilePalette"));
    setWindowTitle(m_graphics ? tr("Tile Palette - %1").arg(m_graphics->stem())
                              : tr("Tile Palette"));
    m_model = new TilePaletteModel(m_graphics, this);
    buildLayout();

    connect(cboZoom, &QComboBox::activated, this,
            [this](int index) { setZoom(cboZoom->itemData(index).toInt()); });
    connect(tblTiles->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &frmTilePalette::showCurrent);
    connect(tblTiles, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (m_model->valueAt(index))
            btnChoose_Click();
    });
    connect(m_model, &TilePaletteModel::checkedGroupsChanged, this, &frmTilePalette::showTicked);
    connect(btnChoose, &QPushButton::clicked, this, &frmTilePalette::btnChoose_Click);
    connect(btnClose, &QPushButton::clicked, this, [this] { closeForm(); });

    setZoom(m_zoom);
    tblTiles->resizeColumnToContents(TilePaletteModel::GroupColumn);
    if (m_model->rowCount() > 0)
        tblTiles->setCurrentIndex(m_model->index(0, 1));
    showCurrent();
    showTicked();
    tblTiles->setFocus();
}

void frmTilePalette::buildLayout()
{
    cboZoom = new QComboBox(this);
    cboZoom->setObjectName(QStringLiteral("cboZoom"));
    cboZoom->setAccessibleName(tr("Zoom"));
    for (int level : zoomLevels())
        cboZoom->addItem(tr("%1 px").arg(level), level);
    auto *zoomLabel = new QLabel(tr("&Zoom:"), this);
    zoomLabel->setBuddy(cboZoom);

    tblTiles = new QTableView(this);
    tblTiles->setObjectName(QStringLiteral("tblTiles"));
    tblTiles->setAccessibleName(tr("Tiles"));
    tblTiles->setModel(m_model);
    tblTiles->setItemDelegate(new TileDelegate(tblTiles));
    tblTiles->setSelectionMode(QAbstractItemView::SingleSelection);
    tblTiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table for the buttons; the arrow keys move inside it.
    tblTiles->setTabKeyNavigation(false);
    tblTiles->setShowGrid(false);
    tblTiles->verticalHeader()->hide();
    for (QHeaderView *header : {tblTiles->horizontalHeader(), tblTiles->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    tblTiles->viewport()->installEventFilter(this);

    lblCurrent = new QLabel(this);
    lblCurrent->setObjectName(QStringLiteral("lblCurrent"));
    lblTicked = new QLabel(this);
    lblTicked->setObjectName(QStringLiteral("lblTicked"));
    btnChoose = new QPushButton(tr("&Choose"), this);
    btnChoose->setObjectName(QStringLiteral("btnChoose"));
    btnClose = new QPushButton(tr("Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnChoose->setAutoDefault(true);
    btnClose->setAutoDefault(true);
    setDialogButtons(btnChoose, btnClose);

    auto *tools = new QHBoxLayout;
    tools->addWidget(zoomLabel);
    tools->addWidget(cboZoom);
    tools->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblCurrent, 1);
    buttons->addWidget(btnChoose);
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(tblTiles, 1);
    layout->addWidget(lblTicked);
    layout->addLayout(buttons);
    setTabOrder(cboZoom, tblTiles);
    setTabOrder(tblTiles, btnChoose);
    setTabOrder(btnChoose, btnClose);
}

QList<int> frmTilePalette::zoomLevels()
{
    return {8, 12, 16, 24, 32, 48, 64};
}

void frmTilePalette::setZoom(int pixels)
{
    const QList<int> levels = zoomLevels();
    m_zoom = *std::min_element(levels.begin(), levels.end(), [pixels](int x, int y) {
        return std::abs(x - pixels) < std::abs(y - pixels);
    });
    cboZoom->setCurrentIndex(int(levels.indexOf(m_zoom)));
    // A pixel of room on each side for the selection frame.
    const int cell = m_zoom + 2;
    tblTiles->setIconSize(QSize(m_zoom, m_zoom));
    tblTiles->verticalHeader()->setDefaultSectionSize(
        std::max(cell, tblTiles->fontMetrics().height() + 2));
    for (int column = 1; column <= TilePaletteModel::Entries; ++column)
        tblTiles->setColumnWidth(column, cell);
    if (tblTiles->currentIndex().isValid())
        tblTiles->scrollTo(tblTiles->currentIndex());
}

QSize frmTilePalette::sizeHint() const
{
    // Wide enough for a whole row of tiles and the group names beside them.
    const int rowWidth = tblTiles->columnWidth(TilePaletteModel::GroupColumn)
        + TilePaletteModel::Entries * (m_zoom + 2) + 2 * tblTiles->frameWidth()
        + tblTiles->verticalScrollBar()->sizeHint().width();
    const QMargins margins = layout()->contentsMargins();
    QSize hint = ChildDialog::sizeHint();
    hint.setWidth(std::max(hint.width(), rowWidth + margins.left() + margins.right()));
    hint.setHeight(std::max(hint.height(), hint.height() + 6 * (m_zoom + 2)));
    return hint;
}

void frmTilePalette::stepZoom(int steps)
{
    const QList<int> levels = zoomLevels();
    const int at = std::clamp(int(levels.indexOf(m_zoom)) + steps, 0, int(levels.size()) - 1);
    setZoom(levels[at]);
}

void frmTilePalette::selectTile(quint16 value)
{
    const QModelIndex index = m_model->indexOf(value);
    if (!index.isValid())
        return;
    tblTiles->setCurrentIndex(index);
    tblTiles->scrollTo(index);
}

void frmTilePalette::showCurrent()
{
    const std::optional<quint16> value = m_model->valueAt(tblTiles->currentIndex());
    btnChoose->setEnabled(value.has_value());
    lblCurrent->setText(value ? tr("Tile %1").arg(*value) : QString());
}

void frmTilePalette::showTicked()
{
    const qsizetype ticked = m_model->checkedGroups().size();
    lblTicked->setText(ticked == 0   ? tr("Matching uses every terrain group.")
                       : ticked == 1 ? tr("Matching uses the ticked group only.")
                                     : tr("Matching uses the %1 ticked groups only.").arg(ticked));
}

void frmTilePalette::btnChoose_Click()
{
    const std::optional<quint16> value = m_model->valueAt(tblTiles->currentIndex());
    if (!value)
        return;
    emit tileChosen(*value);
    closeForm();
}

void frmTilePalette::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::ZoomIn)
        || (ctrl && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal))) {
        stepZoom(1);
    } else if (event->matches(QKeySequence::ZoomOut) || (ctrl && event->key() == Qt::Key_Minus)) {
        stepZoom(-1);
    } else {
        ChildDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

bool frmTilePalette::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == tblTiles->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if ((wheel->modifiers() & Qt::ControlModifier) && wheel->angleDelta().y() != 0) {
            stepZoom(wheel->angleDelta().y() > 0 ? 1 : -1);
            return true;
        }
    }
    return ChildDialog::eventFilter(watched, event);
}
