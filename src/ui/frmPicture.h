#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class PictureHost;
class QLabel;
class QPushButton;
class UserDialogs;

/// The picture window: shows the picture to be painted into the map, one pixel per tile,
/// and loads a new one, scanning its colours into the colour list.
class frmPicture : public QWidget
{
    Q_OBJECT

public:
    frmPicture(PictureHost &host, UserDialogs &dialogs, QWidget *parent = nullptr);

    /// Sizes the window for a width x height map: picMain W x H at (3, 3), btnLoad below it
    /// with the same width, client (W + 6) x (H + button height + 8).
    void layoutForMap(int width, int height);

    /// The loaded picture, normalized (colorkey::normalized); null when none is loaded.
    const QImage &picture() const { return m_picture; }

    /// Filter list of the Open dialog: each entry is the text shown followed by Qt's patterns
    /// in parentheses (the dialog shows only the text).
    static QString openFilter();

    QLabel *picMain = nullptr;
    QPushButton *btnLoad = nullptr;

public slots:
    /// Asks for a picture, shows it, scans the map's area of it into the colour list, shows
    /// the colour list and enables the conversion. Cancel or a file that is not a picture
    /// empties the picture box and changes nothing else.
    void btnLoad_Click();

private:
    void emptyPicture();

    PictureHost &m_host;
    UserDialogs &m_dialogs;
    QImage m_picture;
    QString m_lastPath;
    bool m_loading = false;
};
