#pragma once

#include <QList>
#include <QListView>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ColorListModel;
struct ColorTable;

/// Where the colour list's changes of values go when it shows a document's table: each is
/// one change of the document, which then tells the list to show it.
struct ColorListEdits
{
    std::function<void(int index, const QString &text)> typed;
    std::function<void(int index, quint16 value)> picked;
    std::function<void(const QStringList &values, const QString &stepName)> replaced;
};
class QLabel;
class QLineEdit;
class QPushButton;
class UserDialogs;

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
    /// Asks through `dialogs` for the files to import and export.
    explicit frmColorList(UserDialogs &dialogs, QWidget *parent = nullptr);
    /// The same with the system's dialogs.
    explicit frmColorList(QWidget *parent = nullptr);
    ~frmColorList() override;

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
    /// Gives every cell of the picture a terrain tile by error diffusion.
    QPushButton *btnDither = nullptr;
    /// Read the tile values from a colour file; write the colours and values to one.
    QPushButton *btnImport = nullptr;
    QPushButton *btnExport = nullptr;

    /// Filter list of the colour file dialogs.
    static QString colorFileFilter();

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

    /// Shows `table` of a document instead of a list of its own, sending every change of a
    /// value to `edits`; the document calls the three below after each change.
    void showDocument(const ColorTable *table, ColorListEdits edits);
    /// The document's table was replaced as a whole (a new picture): nothing is selected.
    void documentTableChanged();
    /// One value / every value of the document's table changed.
    void documentValueChanged(int index);
    void documentValuesChanged();

    /// Dither stays enabled with no colours listed while `pending` (a picture refused for
    /// its colours that Dither can make).
    void setDitherPending(bool pending);
    bool ditherPending() const { return m_ditherPending; }

    /// The colours' keys, in list order.
    QStringList colorKeys() const;
    /// The colour values, in list order (-1 for no pixel).
    const QList<qint32> &colorValues() const;
    /// The replacement list: entry i is the tile value text of colour i, parallel to the
    /// colours (kept in the list's model rather than in a hidden list box).
    const QStringList &lstReplace() const;
    /// Sets colour `index`'s replacement text; when it is the selected colour, txtReplace
    /// and the tile shown follow. False for an index out of range.
    bool setReplacement(int index, const QString &text);
    /// Sets every colour's replacement at once; false (nothing changes) unless `texts` has
    /// one entry per colour. txtReplace and the tile follow the selected colour's.
    bool setReplacements(const QStringList &texts, const QString &stepName = {});
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

    /// Where the listed colours come from: the user's map (named in an exported file's
    /// header, with its size in tiles) and picture. Neither is ever written by Export.
    void setOrigin(const QString &mapPath, int width, int height, const QString &picturePath);
    /// The game data folder the tiles are read from (empty: none): Export Colours never
    /// writes into it.
    void setGameData(const QString &folder) { m_gameData = folder; }
    /// Writes every colour with its tile value to `path` in the colour-file format, replacing
    /// the file only once it is complete. A value that is no tile value (empty, over 32767)
    /// writes nothing: the colour is selected and the user told, as is a failed write.
    bool exportColors(const QString &path);
    /// Reads the colour file at `path` and sets the value of every colour it names. A file
    /// that cannot be read or parsed (a malformed line, a value out of range) changes nothing
    /// and the user is told why; colours the list does not have are left out and listed in
    /// one message, the others are applied.
    bool importColors(const QString &path);

    /// Colour value of a key (red in the low byte), or -1 when the key names no colour.
    static qint32 colorOfKey(const QString &key);

signals:
    /// Pick Tile, or Enter on a selected colour: the palette is wanted.
    void tilePaletteRequested();
    /// Match Colours was pressed.
    void matchRequested();
    /// Dither was pressed.
    void ditherRequested();

public slots:
    void lstColor_Click();
    void txtReplace_Change(const QString &text);
    /// Asks for a colour file and imports it.
    void btnImport_Click();
    /// Asks where to write the colour file and exports to it.
    void btnExport_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createWidgets();
    void showSwatch(qint32 value);
    void showTile();
    void updateButtons();
    void reportAbsent(const QString &path, const QStringList &absent, int applied);
    /// Shows the selected colour's value in txtReplace without taking it as typed.
    void showSelectedValue();
    bool bound() const { return bool(m_edits.typed); }
    QString suggestedColorFile() const;

    std::unique_ptr<UserDialogs> m_ownDialogs;
    UserDialogs *m_dialogs = nullptr;
    ColorListModel *m_model = nullptr;
    QString m_mapPath;
    QString m_picturePath;
    QString m_gameData;
    bool m_ditherPending = false;
    int m_mapWidth = 0;
    int m_mapHeight = 0;
    QString m_lastColorFile;
    std::function<QImage(quint16)> m_tiles;
    QString m_noTilesReason;
    ColorListEdits m_edits;
    /// txtReplace is being set from the table, not typed.
    bool m_showing = false;
};
