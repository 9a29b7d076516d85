#include "ui/ColorListModel.h"

#include "core/picture/ColorKey.h"
#include "core/qtimage/QtImage.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace {
const QList<int> ValueRoles{Qt::DisplayRole, ColorListModel::ReplacementRole, Qt::ToolTipRole,
                            Qt::AccessibleTextRole};
} // namespace

void ColorListModel::setColors(const QList<qint32> &colors, const QList<int> &pixels)
{
    beginResetModel();
    m_own = ColorTable::fresh(colors, pixels);
    m_table = &m_own;
    endResetModel();
}

void ColorListModel::clear()
{
    setColors({}, {});
}

void ColorListModel::showTable(const ColorTable *table)
{
    beginResetModel();
    m_table = table ? table : &m_own;
    endResetModel();
}

void ColorListModel::tableChanged()
{
    beginResetModel();
    endResetModel();
}

void ColorListModel::rowChanged(int row)
{
    if (row < 0 || row >= m_table->size())
        return;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, ValueRoles);
}

void ColorListModel::valuesChanged()
{
    if (!m_table->isEmpty())
        emit dataChanged(index(0), index(int(m_table->size()) - 1), ValueRoles);
}

bool ColorListModel::setReplacement(int row, const QString &text)
{
    if (!showsOwnTable() || row < 0 || row >= m_own.values.size())
        return false;
    if (m_own.values.at(row) != text) {
        m_own.values[row] = text;
        rowChanged(row);
    }
    return true;
}

bool ColorListModel::setReplacements(const QStringList &texts)
{
    if (!showsOwnTable() || texts.size() != m_own.values.size())
        return false;
    m_own.values = texts;
    valuesChanged();
    return true;
}

QString ColorListModel::groupedDigits(int count)
{
    QString digits = QString::number(count);
    const qsizetype firstDigit = count < 0 ? 1 : 0;
    for (qsizetype at = digits.size() - 3; at > firstDigit; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits;
}

QString ColorListModel::rowText(qint32 color, int pixels, const QString &replacement)
{
    QString text = colorkey::colorKey(color) + QStringLiteral("  ")
        + (color < 0 ? tr("no pixel") : colorkey::rgbText(color));
    if (pixels >= 0)
        text += QStringLiteral("  ") + tr("%1 px").arg(groupedDigits(pixels));
    // The value shows in the row, so a matched or imported table can be read at a glance.
    return text + QStringLiteral("  ")
        + (replacement.isEmpty() ? tr("no tile") : tr("tile %1").arg(replacement));
}

QString ColorListModel::rowDescription(qint32 color, int pixels, const QString &replacement)
{
    QString colour;
    if (color < 0) {
        colour = tr("Colour %1: no picture pixel").arg(colorkey::colorKey(color));
    } else {
        const QColor c = qtimage::colorOf(color);
        colour = tr("Colour %1: red %2, green %3, blue %4 (%5)")
                     .arg(colorkey::colorKey(color))
                     .arg(c.red())
                     .arg(c.green())
                     .arg(c.blue())
                     .arg(colorkey::rgbText(color));
    }
    if (pixels >= 0)
        colour += pixels == 1 ? tr(", 1 pixel") : tr(", %1 pixels").arg(groupedDigits(pixels));
    return colour + tr(", tile value %1").arg(replacement.isEmpty() ? tr("none") : replacement);
}

int ColorListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table->size());
}

QVariant ColorListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_table->size())
        return {};
    const int row = index.row();
    const qint32 color = m_table->colors.at(row);
    const int pixels = m_table->counts.value(row, -1);
    const QString &value = m_table->values.at(row);
    switch (role) {
    case Qt::DisplayRole:
        return rowText(color, pixels, value);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return rowDescription(color, pixels, value);
    case Qt::DecorationRole:
        return color < 0 ? QVariant() : QVariant(qtimage::colorOf(color));
    case ColorRole:
        return color;
    case PixelsRole:
        return pixels;
    case ReplacementRole:
        return value;
    default:
        return {};
    }
}

bool ColorListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != ReplacementRole)
        return false;
    return setReplacement(index.row(), value.toString());
}

void ColorSwatchDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // Keep the decoration's room for the swatch paint() draws, but no icon in it.
    option->icon = QIcon();
    option->features |= QStyleOptionViewItem::HasDecoration;
}

void ColorSwatchDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &opt, opt.widget);
    const QSize size = opt.decorationSize.boundedTo(room.size());
    paintSwatch(painter, QStyle::alignedRect(opt.direction, Qt::AlignCenter, size, room),
                index.data(ColorListModel::ColorRole).toInt());
}

void ColorSwatchDelegate::paintSwatch(QPainter *painter, const QRect &rect, qint32 color)
{
    if (rect.width() < 3 || rect.height() < 3)
        return;
    painter->save();
    const QRect inside = rect.adjusted(1, 1, -1, -1);
    if (color >= 0) {
        painter->fillRect(inside, qtimage::colorOf(color));
    } else {
        painter->fillRect(inside, Qt::white);
        painter->fillRect(inside, QBrush(Qt::black, Qt::DiagCrossPattern));
    }
    // A one-pixel frame just inside the rectangle, dark enough on white and light rows.
    painter->setPen(QPen(QColor(64, 64, 64), 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}
