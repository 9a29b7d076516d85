#include "ui/frmColorList.h"

#include "ui/ColorListModel.h"
#include "ui/FormFit.h"

#include "core/picture/ColorKey.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>

#include <algorithm>

namespace {

const QString NoColorText = QStringLiteral("no colour");

QString describe(qint32 value)
{
    if (value < 0)
        return NoColorText;
    const QColor c = colorkey::colorOf(value);
    return QStringLiteral("red %1, green %2, blue %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

/// Width of the list and the fields under it: room for the widest row a map can give (a
/// colour on all 65 536 pixels of the largest map) beside its swatch, with the scroll bar.
int listWidthFor(const QWidget *form)
{
    const QFontMetrics metrics = form->fontMetrics();
    const int text = std::max(metrics.horizontalAdvance(ColorListModel::rowText(0xFFFFFF, 65536)),
                              metrics.horizontalAdvance(ColorListModel::rowText(-1, 65536)));
    const QStyle *style = form->style();
    // Swatch (12) and the item's paddings either side of it and the text; list frame.
    return text + 12 + 24 + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, form);
}

} // namespace

int ColorListView::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ColorListView::setCurrentRow(int row, QItemSelectionModel::SelectionFlags flags)
{
    if (!model() || !selectionModel())
        return;
    selectionModel()->setCurrentIndex(model()->index(row, 0), flags);
}

frmColorList::frmColorList(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmColorList"));
    setWindowTitle(QStringLiteral("::[Color List]::::...."));

    const int listWidth = listWidthFor(this);

    lblGeneral0 = new QLabel(QStringLiteral("::Color List::::...."), this);
    lblGeneral0->setObjectName(QStringLiteral("lblGeneral0"));
    lblGeneral0->setGeometry(8, 8, listWidth, 17);

    m_model = new ColorListModel(this);
    lstColor = new ColorListView(this);
    lstColor->setObjectName(QStringLiteral("lstColor"));
    lstColor->setGeometry(8, 24, listWidth, 147);
    lstColor->setModel(m_model);
    lstColor->setItemDelegate(new ColorSwatchDelegate(lstColor));
    lstColor->setSelectionMode(QAbstractItemView::SingleSelection);
    lstColor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // All rows are alike: the layout asks one row for its size, not 30 000.
    lstColor->setUniformItemSizes(true);
    lstColor->setIconSize(QSize(12, 12));
    lstColor->setAccessibleName(QStringLiteral("Color List"));
    lblGeneral0->setBuddy(lstColor);

    lblGeneral1 = new QLabel(QStringLiteral("::Color::::...."), this);
    lblGeneral1->setObjectName(QStringLiteral("lblGeneral1"));
    lblGeneral1->setGeometry(8, 176, listWidth, 17);

    lblColor = new QLabel(this);
    lblColor->setObjectName(QStringLiteral("lblColor"));
    lblColor->setGeometry(8, 192, listWidth, 17);
    lblColor->setAutoFillBackground(true);
    lblColor->setAccessibleName(QStringLiteral("Selected color"));
    lblGeneral1->setBuddy(lblColor);

    lblGeneral2 = new QLabel(QStringLiteral("::Replace::::...."), this);
    lblGeneral2->setObjectName(QStringLiteral("lblGeneral2"));
    lblGeneral2->setGeometry(8, 212, listWidth, 17);

    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    txtReplace->setGeometry(8, 228, listWidth, 19);
    txtReplace->setAccessibleName(QStringLiteral("Replace"));
    // Digits only, for typing and pasting alike; an empty field is allowed.
    txtReplace->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), txtReplace));
    lblGeneral2->setBuddy(txtReplace);

    imgTile = new QLabel(this);
    imgTile->setObjectName(QStringLiteral("imgTile"));
    imgTile->setGeometry(8, 252, 32, 32);
    imgTile->setAccessibleName(tr("Tile"));
    lblTileNote = new QLabel(this);
    lblTileNote->setObjectName(QStringLiteral("lblTileNote"));
    lblTileNote->setGeometry(44, 260, listWidth - 36, 17);
    setTileImages({}, tr("Set the game data folder in Preferences to see tiles."));

    const int buttonWidth = (listWidth - 4) / 2;
    btnPickTile = new QPushButton(tr("Pick &Tile..."), this);
    btnPickTile->setObjectName(QStringLiteral("btnPickTile"));
    btnPickTile->setGeometry(8, 290, buttonWidth, 23);
    btnMatch = new QPushButton(tr("&Match Colours"), this);
    btnMatch->setObjectName(QStringLiteral("btnMatch"));
    btnMatch->setGeometry(12 + buttonWidth, 290, listWidth - 4 - buttonWidth, 23);
    // Enter on a colour opens the palette.
    lstColor->installEventFilter(this);

    setTabOrder(lstColor, txtReplace);
    setTabOrder(txtReplace, btnPickTile);
    setTabOrder(btnPickTile, btnMatch);
    setFixedSize(listWidth + 16, 321);
    fitFormToTexts(this);

    connect(lstColor->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmColorList::lstColor_Click);
    connect(txtReplace, &QLineEdit::textChanged, this, &frmColorList::txtReplace_Change);
    connect(btnPickTile, &QPushButton::clicked, this, &frmColorList::tilePaletteRequested);
    connect(btnMatch, &QPushButton::clicked, this, &frmColorList::matchRequested);
    connect(m_model, &QAbstractItemModel::modelReset, this, &frmColorList::updateButtons);
    updateButtons();
}

void frmColorList::updateButtons()
{
    btnPickTile->setEnabled(selectedIndex() >= 0);
    btnMatch->setEnabled(m_model->rowCount() > 0);
}

bool frmColorList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstColor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedIndex() >= 0) {
            emit tilePaletteRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmColorList::chooseTile(quint16 value)
{
    if (const int index = selectedIndex(); index >= 0)
        (void)setReplacement(index, QString::number(value));
}

std::optional<quint16> frmColorList::selectedValue() const
{
    const int index = selectedIndex();
    if (index < 0)
        return std::nullopt;
    bool ok = false;
    const uint value = m_model->replacements().at(index).toUInt(&ok);
    return ok && value <= 32767 ? std::optional<quint16>(quint16(value)) : std::nullopt;
}

qint32 frmColorList::colorOfKey(const QString &key)
{
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return -1;
    return qint32(value);
}

void frmColorList::setColors(const QList<qint32> &colors, const QList<int> &pixelCounts)
{
    m_model->setColors(colors, pixelCounts);
}

void frmColorList::setColors(const QStringList &keys)
{
    QList<qint32> colors;
    colors.reserve(keys.size());
    for (const QString &key : keys)
        colors.append(colorOfKey(key));
    m_model->setColors(colors, {});
}

void frmColorList::clearLists()
{
    m_model->clear();
}

QStringList frmColorList::colorKeys() const
{
    QStringList keys;
    keys.reserve(m_model->colors().size());
    for (const qint32 color : m_model->colors())
        keys.append(colorkey::colorKey(color));
    return keys;
}

const QList<qint32> &frmColorList::colorValues() const
{
    return m_model->colors();
}

const QStringList &frmColorList::replacements() const
{
    return m_model->replacements();
}

bool frmColorList::setReplacement(int index, const QString &text)
{
    if (index < 0 || index >= m_model->rowCount())
        return false;
    // The field stores what it shows into the model itself and redraws the tile.
    if (index == selectedIndex())
        txtReplace->setText(text);
    return m_model->setReplacement(index, text);
}

bool frmColorList::setReplacements(const QStringList &texts)
{
    if (!m_model->setReplacements(texts))
        return false;
    if (const int index = selectedIndex(); index >= 0)
        txtReplace->setText(texts.at(index));
    return true;
}

int frmColorList::selectedIndex() const
{
    const QModelIndex current = lstColor->currentIndex();
    if (!current.isValid() || !lstColor->selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

void frmColorList::selectColor(int index)
{
    if (index < 0 || index >= m_model->rowCount())
        lstColor->selectionModel()->clearSelection();
    else
        lstColor->setCurrentRow(index);
}

void frmColorList::showSwatch(qint32 value)
{
    QPalette palette = lblColor->palette();
    if (value >= 0)
        palette.setBrush(QPalette::Window, colorkey::colorOf(value));
    else
        palette.setBrush(QPalette::Window, QBrush(Qt::black, Qt::DiagCrossPattern));
    lblColor->setPalette(palette);
    const QString description = describe(value);
    lblColor->setToolTip(description);
    lblColor->setAccessibleDescription(description);
}

void frmColorList::lstColor_Click()
{
    updateButtons();
    const int index = selectedIndex();
    if (index < 0)
        return; // nothing selected: the swatch and the field keep what they show
    showSwatch(m_model->colors().at(index));
    txtReplace->setText(m_model->replacements().at(index));
}

void frmColorList::setTileImages(std::function<QImage(quint16)> tiles, const QString &reason)
{
    m_tiles = std::move(tiles);
    m_noTilesReason = reason;
    showTile();
}

void frmColorList::showTile()
{
    bool ok = false;
    const uint value = txtReplace->text().toUInt(&ok);
    QPixmap tile;
    // The note is short enough for the narrow window; the tip says it in full.
    QString note, tip;
    if (!m_tiles) {
        note = tr("No tiles");
        tip = m_noTilesReason;
    } else if (!ok) {
        note = tr("No value");
    } else if (value > 32767) {
        note = tr("Too large");
        tip = tr("Tile values go up to 32767.");
    } else {
        tile = QPixmap::fromImage(m_tiles(quint16(value)));
        note = tr("Tile %1").arg(value);
    }
    imgTile->setPixmap(tile);
    lblTileNote->setText(note);
    lblTileNote->setToolTip(tip.isEmpty() ? note : tip);
    imgTile->setToolTip(tip.isEmpty() ? note : tip);
    imgTile->setAccessibleDescription(tip.isEmpty() ? note : tip);
}

void frmColorList::txtReplace_Change(const QString &text)
{
    showTile();
    const int index = selectedIndex();
    if (index < 0)
        return;
    m_model->setReplacement(index, text);
}
