#pragma once

#include "core/session/ColorTable.h"

#include <QAbstractListModel>
#include <QList>
#include <QStringList>
#include <QStyledItemDelegate>

/// The colour list's data: per colour its 24-bit value (-1 for "no pixel"), how many pixels
/// of the map's area have it (-1 when unknown) and the replacement text the user gives it.
/// Rows are made on demand, so a list of 30 000 colours costs three arrays, not 30 000 items.
class ColorListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        ColorRole = Qt::UserRole + 1, ///< qint32 colour value, -1 for no pixel
        PixelsRole,                   ///< int pixel count, -1 when unknown
        ReplacementRole,              ///< QString replacement text; editable
    };

    using QAbstractListModel::QAbstractListModel;

    /// Replaces every row: one per entry of `colors`, each with replacement "0". `pixels` runs
    /// parallel to `colors`; missing entries count as unknown.
    void setColors(const QList<qint32> &colors, const QList<int> &pixels);
    void clear();

    const QList<qint32> &colors() const { return m_table->colors; }
    const QList<int> &pixelCounts() const { return m_table->counts; }
    const QStringList &replacements() const { return m_table->values; }

    /// Sets one row's replacement; false (and nothing changes) for a row out of range or
    /// while the model shows a table it does not own.
    bool setReplacement(int row, const QString &text);
    /// Sets every row's replacement; false (and nothing changes) unless there is one text
    /// per row and the model owns its table.
    bool setReplacements(const QStringList &texts);

    /// Shows `table`, owned by a document that outlives the model and says when it changes
    /// (tableChanged, rowChanged, valuesChanged); nullptr shows the model's own table again.
    void showTable(const ColorTable *table);
    bool showsOwnTable() const { return m_table == &m_own; }
    /// The shown table's rows changed as a whole / one row's value / every value.
    void tableChanged();
    void rowChanged(int row);
    void valuesChanged();

    /// A row as shown: the colour key first (so the text's first word stays the key), then
    /// "#RRGGBB" (or "no pixel"), the pixel count and the tile value, e.g.
    /// "00255000  #00FF03  1 234 px  tile 7".
    static QString rowText(qint32 color, int pixels, const QString &replacement);
    /// A row as read out and shown in its tip: the colour in words, its value and count.
    static QString rowDescription(qint32 color, int pixels, const QString &replacement);
    /// `count` with its digits grouped by threes: 1234567 -> "1 234 567".
    static QString groupedDigits(int count);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    ColorTable m_own;
    const ColorTable *m_table = &m_own;
};

/// Draws each row's swatch (ColorListModel::ColorRole) with a thin dark border, so a white
/// swatch shows on a white list, and a hatch for "no pixel". No icon is ever made: the
/// swatch is painted into the room the style keeps for a decoration.
class ColorSwatchDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    /// Paints one swatch filling `rect`, its border inside it.
    static void paintSwatch(QPainter *painter, const QRect &rect, qint32 color);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
