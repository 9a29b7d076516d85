#include "ui/TilePaletteModel.h"

#include "core/convert/Conversion.h"
#include "core/qtimage/QtImage.h"
#include "core/tileset/TileGraphics.h"

#include <algorithm>

namespace {

// Groups past the one the largest tile value names can never be used.
constexpr int LastUsableGroup = conversion::LastTileGroup;

} // namespace

TilePaletteModel::TilePaletteModel(std::shared_ptr<const terrain::TileGraphics> graphics,
                                   QObject *parent)
    : QAbstractTableModel(parent), m_graphics(std::move(graphics))
{
    if (!m_graphics)
        return;
    const int last = std::min(m_graphics->groupCount() - 1, LastUsableGroup);
    for (int group = 0; group <= last; ++group) {
        // Type 0 marks an unused group: its entries are filler, not tiles anyone paints.
        const int type = m_graphics->terrainType(group);
        if (type <= 0)
            continue;
        m_groups.push_back(group);
        m_types.push_back(type);
    }
}

int TilePaletteModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_groups.size());
}

int TilePaletteModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + Entries;
}

int TilePaletteModel::groupAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_groups[size_t(row)] : -1;
}

std::optional<quint16> TilePaletteModel::valueAt(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this || index.column() == GroupColumn)
        return std::nullopt;
    return quint16(groupAt(index.row()) << 4 | (index.column() - 1));
}

QModelIndex TilePaletteModel::indexOf(quint16 value) const
{
    const auto row = std::lower_bound(m_groups.begin(), m_groups.end(), int(value >> 4));
    if (row == m_groups.end() || *row != value >> 4)
        return {};
    return index(int(row - m_groups.begin()), 1 + (value & 15));
}

QVariant TilePaletteModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (index.column() == GroupColumn)
        return groupData(index.row(), role);
    return tileData(*valueAt(index), role);
}

QVariant TilePaletteModel::groupData(int row, int role) const
{
    const int group = m_groups[size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return tr("Group %1").arg(group);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return isDoodadRow(row)
            ? tr("Tile group %1 holds doodads; matching never uses them.").arg(group)
            : tr("Tile group %1, terrain type %2. Tick groups to match colours with the "
                 "ticked groups only.")
                  .arg(group)
                  .arg(m_types[size_t(row)]);
    case Qt::CheckStateRole:
        if (isDoodadRow(row))
            return {};
        return m_checked.contains(group) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

QVariant TilePaletteModel::tileData(quint16 value, int role) const
{
    switch (role) {
    case Qt::DecorationRole:
        // Drawn on first sight and kept by the graphics.
        return qtimage::toImage(m_graphics->tile(value), QImage::Format_RGB32);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return tr("Tile %1").arg(value);
    case Qt::UserRole:
        return value;
    default:
        return {};
    }
}

QVariant TilePaletteModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return groupAt(section);
    return section == GroupColumn ? tr("Group") : QString::number(section - 1);
}

Qt::ItemFlags TilePaletteModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == GroupColumn && !isDoodadRow(index.row()))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool TilePaletteModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    const int group = groupAt(index.row());
    if (value.toInt() == Qt::Checked)
        m_checked.insert(group);
    else
        m_checked.remove(group);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checkedGroupsChanged(m_checked);
    return true;
}

void TilePaletteModel::setCheckedGroups(const QSet<int> &groups)
{
    m_checked.clear();
    for (size_t row = 0; row < m_groups.size(); ++row)
        if (m_types[row] > 1 && groups.contains(m_groups[row]))
            m_checked.insert(m_groups[row]);
    if (rowCount() > 0)
        emit dataChanged(index(0, GroupColumn), index(rowCount() - 1, GroupColumn),
                         {Qt::CheckStateRole});
    emit checkedGroupsChanged(m_checked);
}
