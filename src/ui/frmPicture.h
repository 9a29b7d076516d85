#pragma once

#include "core/common/Result.h"
#include "core/picture/PicturePipeline.h"
#include "core/picture/Pixels.h"

#include <QImage>
#include <QString>
#include <QWidget>

class PictureHost;
class QAction;
class QLabel;
class QPushButton;
class UserDialogs;

/// The picture window: shows the picture to be painted into the map, one pixel per tile or
/// zoomed (1x, 2x, 4x, 8x, fit; keys, mouse wheel or context menu), and loads a new one,
/// from the Load button or dropped onto the window, scanning its colours into the colour list.
class frmPicture : public QWidget
{
    Q_OBJECT

public:
    frmPicture(PictureHost &host, UserDialogs &dialogs, QWidget *parent = nullptr);

    /// Sizes the window for a width x height map: picMain W x H at (3, 3), btnLoad below it
    /// with the same width, client (W + 6) x (H + button height + 8); W and H are the map's
    /// size times the zoom factor.
    void layoutForMap(int width, int height);

    /// Sets the zoom: a factor from picturezoom::Steps, or picturezoom::Fit.
    void setZoom(double factor);
    /// The factor the picture is shown at now (a fitted one resolved).
    double zoomFactor() const { return m_factor; }

    /// The loaded picture's map-sized area; null when none is loaded.
    const picture::Pixels &picture() const { return m_picture; }
    /// Shows `pixels` (sharing them), or the empty box for null pixels.
    void showPicture(const picture::Pixels &pixels);

    /// How the next picture is fitted to the map and resampled (the context menu's Fit and
    /// Resampling choices).
    const picture::FitOptions &fitOptions() const { return m_fit; }
    /// Shows `options` as the chosen ones without announcing a choice.
    void showFitOptions(const picture::FitOptions &options);
    /// The picture file chosen last (loaded or not); empty before the first.
    const QString &chosenPath() const { return m_lastPath; }
    /// Says on the status line, and in a message where the user must act, why the picture at
    /// `path` could not be used.
    void reportFailure(const QString &path, const ::Failure &failure,
                       const picture::PrepareDetail &detail);

    /// Filter list of the Open dialog: each entry is the text shown followed by Qt's patterns
    /// in parentheses (the dialog shows only the text).
    static QString openFilter();

    QLabel *picMain = nullptr;
    QPushButton *btnLoad = nullptr;
    /// Context menu entries holding the Fit (None, Stretch, Contain, Cover) and Resampling
    /// (Area, Nearest) choices, checkable in that order.
    QAction *mnuFit = nullptr;
    QAction *mnuResample = nullptr;
    QList<QAction *> fitActions;
    QList<QAction *> resampleActions;

signals:
    /// The user chose another fit or resampling.
    void fitChosen(const picture::FitOptions &options);

public slots:
    /// Asks for a picture, shows it, scans the map's area of it into the colour list, shows
    /// the colour list and enables the conversion. Cancel or a file that is not a picture
    /// empties the picture box and changes nothing else; a failure names the picture and
    /// the cause on the status line.
    void btnLoad_Click();
    /// Loads `path` as btnLoad_Click does after its dialog.
    void loadPictureFile(const QString &path);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void emptyPicture();
    void createZoomActions();
    void createFitActions();
    void applyZoom();
    QSize fitRoom() const;

    PictureHost &m_host;
    UserDialogs &m_dialogs;
    picture::Pixels m_picture;
    /// The same pixels as an image (sharing them), drawn in the box at the zoom factor.
    QImage m_shown;
    QSize m_mapSize;
    double m_zoom = 1.0; // a step, or picturezoom::Fit
    double m_factor = 1.0;
    int m_wheelRest = 0;
    QString m_lastPath;
    bool m_loading = false;
    picture::FitOptions m_fit;
};
