#pragma once

#include <QList>
#include <QListView>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class ColorListModel;
class QLabel;
class QLineEdit;
class QPushButton;

/// The colour list's view: a list view that also answers by row, as a list box does.
class ColorListView : public QListView
{
    Q_OBJECT

public:
    using QListView::QListView;

    /// Row of the current entry, or -1.
    int currentRow() const;
    /// Makes `row` current, selecting it (alone) unless `flags` say otherwise.
    void setCurrentRow(int row, QItemSelectionModel::SelectionFlags flags =
                                    QItemSelectionModel::ClearAndSelect);
};

/// The colour list window: the picture's distinct colours, each with its pixel count and the
/// tile value (replacement text) the user gives it, kept in a ColorListModel.
class frmColorList : public QWidget
{
    Q_OBJECT

public:
    explicit frmColorList(QWidget *parent = nullptr);

    QLabel *lblGeneral0 = nullptr;
    ColorListView *lstColor = nullptr;
    QLabel *lblGeneral1 = nullptr;
    QLabel *lblColor = nullptr;
    QLabel *lblGeneral2 = nullptr;
    QLineEdit *txtReplace = nullptr;
    /// The tile the value in txtReplace means, and a line about it.
    QLabel *imgTile = nullptr;
    QLabel *lblTileNote = nullptr;
    /// Opens the tile palette for the selected colour (as Enter in the list does).
    QPushButton *btnPickTile = nullptr;
    /// Gives every colour the nearest terrain tile.
    QPushButton *btnMatch = nullptr;

    /// Draws tile values for imgTile; an empty function means no tiles can be shown, and
    /// `reason` says why in one line.
    void setTileImages(std::function<QImage(quint16)> tiles, const QString &reason);

    /// Fills the list with `colors` (colour values, -1 for no pixel) and their pixel counts
    /// (parallel; -1 or missing when unknown), each with replacement "0", replacing what
    /// the list held and leaving nothing selected.
    void setColors(const QList<qint32> &colors, const QList<int> &pixelCounts);
    /// The same from colour keys, pixel counts unknown; a text that is no key reads as -1.
    void setColors(const QStringList &keys);
    /// Empties the list.
    void clearLists();

    /// The colours' keys, in list order.
    QStringList colorKeys() const;
    /// The colour values, in list order (-1 for no pixel).
    const QList<qint32> &colorValues() const;
    /// Entry i is the replacement text of colour i.
    const QStringList &replacements() const;
    /// Sets colour `index`'s replacement text; when it is the selected colour, txtReplace
    /// and the tile shown follow. False for an index out of range.
    bool setReplacement(int index, const QString &text);
    /// Sets every colour's replacement at once; false (nothing changes) unless `texts` has
    /// one entry per colour. txtReplace and the tile follow the selected colour's.
    bool setReplacements(const QStringList &texts);
    /// Index of the selected colour, or -1 when none is selected.
    int selectedIndex() const;
    /// Selects colour `index` (alone); -1 clears the selection.
    void selectColor(int index);
    /// Sets the selected colour's value to `value` (a tile chosen in the palette); nothing
    /// happens when no colour is selected.
    void chooseTile(quint16 value);
    /// The selected colour's value when it is a tile value (0 to 32767).
    std::optional<quint16> selectedValue() const;
    /// The list's data, for views and tests.
    ColorListModel *model() const { return m_model; }

    /// Colour value of a key (red in the low byte), or -1 when the key names no colour.
    static qint32 colorOfKey(const QString &key);

signals:
    /// Pick Tile, or Enter on a selected colour: the palette is wanted.
    void tilePaletteRequested();
    /// Match Colours was pressed.
    void matchRequested();

public slots:
    void lstColor_Click();
    void txtReplace_Change(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void updateButtons();
    void showSwatch(qint32 value);
    void showTile();

    ColorListModel *m_model = nullptr;
    std::function<QImage(quint16)> m_tiles;
    QString m_noTilesReason;
};
