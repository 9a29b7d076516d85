#pragma once

#include <QAbstractTableModel>
#include <QSet>

#include <memory>
#include <optional>
#include <vector>

namespace terrain {
class TileGraphics;
}

/// One tileset's tiles as a table for the tile palette: a row per tile group in use
/// (terrain type not 0), the group's name in the first column and its 16 entries after it.
/// Terrain groups carry a "use in matching" check box; doodad groups (terrain type 1) are
/// shown but never match, so they have none. Tiles are drawn only when a view asks for them.
class TilePaletteModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int GroupColumn = 0;
    static constexpr int Entries = 16;

    explicit TilePaletteModel(std::shared_ptr<const terrain::TileGraphics> graphics,
                              QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    /// Tile group shown in `row`, or -1.
    int groupAt(int row) const;
    /// The tile value of a tile cell; nullopt for a group cell or an invalid index.
    std::optional<quint16> valueAt(const QModelIndex &index) const;
    /// The cell showing `value`, or an invalid index when its group is not shown.
    QModelIndex indexOf(quint16 value) const;

    /// The ticked groups; empty when matching may use every terrain group.
    QSet<int> checkedGroups() const { return m_checked; }
    /// Ticks exactly the shown terrain groups among `groups`.
    void setCheckedGroups(const QSet<int> &groups);

signals:
    void checkedGroupsChanged(const QSet<int> &groups);

private:
    bool isDoodadRow(int row) const { return m_types[size_t(row)] == 1; }
    QVariant groupData(int row, int role) const;
    QVariant tileData(quint16 value, int role) const;

    std::shared_ptr<const terrain::TileGraphics> m_graphics;
    std::vector<int> m_groups; ///< group of each row
    std::vector<int> m_types;  ///< terrain type of each row
    QSet<int> m_checked;
};
