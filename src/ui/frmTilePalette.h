#pragma once

#include "ui/ChildDialog.h"

#include <QSet>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class TilePaletteModel;

namespace terrain {
class TileGraphics;
}

/// The tile palette: the current tileset's tiles by tile group, to choose one for a colour
/// and to tick the groups that colour matching may use. Zoomable (the zoom box, Ctrl++,
/// Ctrl+- and Ctrl+wheel) and worked entirely from the keyboard: arrow keys move, Enter or
/// a double click chooses, Space ticks a group, Escape closes.
class frmTilePalette : public ChildDialog
{
    Q_OBJECT

public:
    explicit frmTilePalette(std::shared_ptr<const terrain::TileGraphics> graphics,
                            QWidget *parent = nullptr);

    /// Tile sizes the palette shows, in pixels.
    static QList<int> zoomLevels();
    int zoom() const { return m_zoom; }
    /// Shows tiles at the level of zoomLevels() nearest to `pixels`.
    void setZoom(int pixels);
    /// Makes the cell of `value` the current one, when its group is shown.
    void selectTile(quint16 value);

    QSize sizeHint() const override;

    TilePaletteModel *model() const { return m_model; }
    std::shared_ptr<const terrain::TileGraphics> graphics() const { return m_graphics; }

    QComboBox *cboZoom = nullptr;
    QTableView *tblTiles = nullptr;
    QLabel *lblCurrent = nullptr;
    QLabel *lblTicked = nullptr;
    QPushButton *btnChoose = nullptr;
    QPushButton *btnClose = nullptr;

signals:
    /// The user chose tile `value` (Enter, double click or Choose); the palette then closes.
    void tileChosen(quint16 value);

public slots:
    void btnChoose_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void stepZoom(int steps);
    void showCurrent();
    void showTicked();

    std::shared_ptr<const terrain::TileGraphics> m_graphics;
    TilePaletteModel *m_model = nullptr;
    int m_zoom = 24;
};
