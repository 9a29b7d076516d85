#include "ui/ColorListModel.h"

#include "core/picture/ColorKey.h"
#include "core/qtimage/QtImage.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

void ColorListModel::setColors(const QList<qint32> &colors, const QList<int> &pixels)
{
    beginResetModel();
    m_colors = colors;
    m_pixels = pixels;
    m_pixels.resize(m_colors.size(), -1);
    m_replacements = QStringList(m_colors.size(), QStringLiteral("0"));
    endResetModel();
}

void ColorListModel::clear()
{
    setColors({}, {});
}

bool ColorListModel::setReplacement(int row, const QString &text)
{
    if (row < 0 || row >= m_replacements.size())
        return false;
    if (m_replacements.at(row) != text) {
        m_replacements[row] = text;
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {Qt::DisplayRole, ReplacementRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
    }
    return true;
}

bool ColorListModel::setReplacements(const QStringList &texts)
{
    if (texts.size() != m_replacements.size())
        return false;
    m_replacements = texts;
    if (!m_replacements.isEmpty())
        emit dataChanged(index(0), index(int(m_replacements.size()) - 1),
                         {Qt::DisplayRole, ReplacementRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
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
    return parent.isValid() ? 0 : int(m_colors.size());
}

QVariant ColorListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_colors.size())
        return {};
    const int row = index.row();
    const qint32 color = m_colors.at(row);
    switch (role) {
    case Qt::DisplayRole:
        return rowText(color, m_pixels.at(row), m_replacements.at(row));
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return rowDescription(color, m_pixels.at(row), m_replacements.at(row));
    case Qt::DecorationRole:
        return color < 0 ? QVariant() : QVariant(qtimage::colorOf(color));
    case ColorRole:
        return color;
    case PixelsRole:
        return m_pixels.at(row);
    case ReplacementRole:
        return m_replacements.at(row);
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
