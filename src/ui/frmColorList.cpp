#include "ui/frmColorList.h"

#include "ui/FormFit.h"

#include "core/picture/ColorKey.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace {

const QString NoColorText = QStringLiteral("no colour");

QString describe(qint32 value)
{
    if (value < 0)
        return NoColorText;
    const QColor c = colorkey::colorOf(value);
    return QStringLiteral("red %1, green %2, blue %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

frmColorList::frmColorList(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmColorList"));
    setWindowTitle(QStringLiteral("::[Color List]::::...."));

    lblGeneral0 = new QLabel(QStringLiteral("::Color List::::...."), this);
    lblGeneral0->setObjectName(QStringLiteral("lblGeneral0"));
    lblGeneral0->setGeometry(8, 8, 145, 17);

    lstColor = new QListWidget(this);
    lstColor->setObjectName(QStringLiteral("lstColor"));
    lstColor->setGeometry(8, 24, 145, 147);
    lstColor->setSelectionMode(QAbstractItemView::SingleSelection);
    // All rows are alike; saves a size query per entry on lists of thousands.
    lstColor->setUniformItemSizes(true);
    lstColor->setIconSize(QSize(12, 12));
    lstColor->setAccessibleName(QStringLiteral("Color List"));
    lblGeneral0->setBuddy(lstColor);

    lblGeneral1 = new QLabel(QStringLiteral("::Color::::...."), this);
    lblGeneral1->setObjectName(QStringLiteral("lblGeneral1"));
    lblGeneral1->setGeometry(8, 176, 145, 17);

    lblColor = new QLabel(this);
    lblColor->setObjectName(QStringLiteral("lblColor"));
    lblColor->setGeometry(8, 192, 145, 17);
    lblColor->setAutoFillBackground(true);
    lblColor->setAccessibleName(QStringLiteral("Selected color"));
    lblGeneral1->setBuddy(lblColor);

    lblGeneral2 = new QLabel(QStringLiteral("::Replace::::...."), this);
    lblGeneral2->setObjectName(QStringLiteral("lblGeneral2"));
    lblGeneral2->setGeometry(8, 212, 145, 17);

    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    txtReplace->setGeometry(8, 228, 145, 19);
    txtReplace->setAccessibleName(QStringLiteral("Replace"));
    // Digits only, for typing and pasting alike; an empty field is allowed.
    txtReplace->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), txtReplace));
    lblGeneral2->setBuddy(txtReplace);

    lstReplace = new QListWidget(this);
    lstReplace->setObjectName(QStringLiteral("lstReplace"));
    lstReplace->setGeometry(0, 0, 9, 17);
    lstReplace->setUniformItemSizes(true);
    lstReplace->setFocusPolicy(Qt::NoFocus);
    lstReplace->hide();

    imgTile = new QLabel(this);
    imgTile->setObjectName(QStringLiteral("imgTile"));
    imgTile->setGeometry(8, 252, 32, 32);
    imgTile->setAccessibleName(tr("Tile"));
    lblTileNote = new QLabel(this);
    lblTileNote->setObjectName(QStringLiteral("lblTileNote"));
    lblTileNote->setGeometry(44, 260, 109, 17);
    setTileImages({}, tr("Set the game data folder in Preferences to see tiles."));

    setTabOrder(lstColor, txtReplace);
    setFixedSize(161, 290);
    fitFormToTexts(this);

    connect(lstColor, &QListWidget::itemSelectionChanged, this, &frmColorList::lstColor_Click);
    connect(txtReplace, &QLineEdit::textChanged, this, &frmColorList::txtReplace_Change);
}

qint32 frmColorList::colorOfKey(const QString &key)
{
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return -1;
    return qint32(value);
}

const QIcon &frmColorList::noColorIcon()
{
    if (m_noColorIcon.isNull()) {
        QPixmap hatch(12, 12);
        hatch.fill(Qt::white);
        QPainter painter(&hatch);
        painter.fillRect(hatch.rect(), QBrush(Qt::black, Qt::DiagCrossPattern));
        painter.end();
        m_noColorIcon = QIcon(hatch);
    }
    return m_noColorIcon;
}

void frmColorList::setColors(const QStringList &keys)
{
    // One repaint at the end instead of one per entry.
    lstColor->setUpdatesEnabled(false);
    clearLists();
    // One insertion for all rows, then the swatches. The per-item change signals are held
    // back: updates are off and the whole list repaints once at the end.
    lstColor->addItems(keys);
    {
        const QSignalBlocker quiet(lstColor->model());
        for (int i = 0; i < keys.size(); ++i) {
            const qint32 value = colorOfKey(keys.at(i));
            // The standard item view draws a QColor decoration as a small swatch.
            if (value >= 0)
                lstColor->item(i)->setData(Qt::DecorationRole, colorkey::colorOf(value));
            else
                lstColor->item(i)->setIcon(noColorIcon());
        }
    }
    lstReplace->addItems(QStringList(keys.size(), QStringLiteral("0")));
    lstColor->setUpdatesEnabled(true);
}

void frmColorList::clearLists()
{
    lstColor->clear();
    lstReplace->clear();
}

QStringList frmColorList::colorKeys() const
{
    QStringList keys;
    keys.reserve(lstColor->count());
    for (int i = 0; i < lstColor->count(); ++i)
        keys.append(lstColor->item(i)->text());
    return keys;
}

QStringList frmColorList::replacements() const
{
    QStringList texts;
    texts.reserve(lstReplace->count());
    for (int i = 0; i < lstReplace->count(); ++i)
        texts.append(lstReplace->item(i)->text());
    return texts;
}

int frmColorList::selectedIndex() const
{
    const QListWidgetItem *current = lstColor->currentItem();
    if (!current || !current->isSelected())
        return -1;
    return lstColor->currentRow();
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
    const int index = selectedIndex();
    if (index < 0)
        return; // nothing selected: the swatch and the field keep what they show
    showSwatch(colorOfKey(lstColor->item(index)->text()));
    if (QListWidgetItem *replacement = lstReplace->item(index))
        txtReplace->setText(replacement->text());
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
    if (QListWidgetItem *replacement = lstReplace->item(index))
        replacement->setText(text);
}
