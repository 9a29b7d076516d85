#pragma once

#include <QIcon>
#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;

/// The colour list window: the picture's distinct colours and, in a hidden list running
/// parallel to it, the tile value the user gives each colour.
class frmColorList : public QWidget
{
    Q_OBJECT

public:
    explicit frmColorList(QWidget *parent = nullptr);

    QLabel *lblGeneral0 = nullptr;
    QListWidget *lstColor = nullptr;
    QLabel *lblGeneral1 = nullptr;
    QLabel *lblColor = nullptr;
    QLabel *lblGeneral2 = nullptr;
    QLineEdit *txtReplace = nullptr;
    /// Entry i is the replacement text of entry i of lstColor; never shown.
    QListWidget *lstReplace = nullptr;
    /// The tile the value in txtReplace means, and a line about it.
    QLabel *imgTile = nullptr;
    QLabel *lblTileNote = nullptr;

    /// Draws tile values for imgTile; an empty function means no tiles can be shown, and
    /// `reason` says why in one line.
    void setTileImages(std::function<QImage(quint16)> tiles, const QString &reason);

    /// Fills lstColor with `keys` (each with a swatch icon of its colour) and lstReplace
    /// with one "0" per key, replacing what both held.
    void setColors(const QStringList &keys);
    /// Empties both lists.
    void clearLists();
    /// lstColor's texts, in order.
    QStringList colorKeys() const;
    /// lstReplace's texts, in order.
    QStringList replacements() const;

    /// Colour value of a key (red in the low byte), or -1 when the key names no colour.
    static qint32 colorOfKey(const QString &key);

public slots:
    void lstColor_Click();
    void txtReplace_Change(const QString &text);

private:
    /// Index of the selected colour, or -1 when none is selected.
    int selectedIndex() const;
    void showSwatch(qint32 value);
    void showTile();
    const QIcon &noColorIcon();

    QIcon m_noColorIcon;
    std::function<QImage(quint16)> m_tiles;
    QString m_noTilesReason;
};
