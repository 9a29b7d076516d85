#pragma once

#include "core/picture/PicturePipeline.h"

#include <QString>
#include <QtGlobal>

class frmColorList;

/// What the picture window needs from the window that hosts it: the map's size, the status
/// line, the colour list window and the conversion commands.
class PictureHost
{
public:
    virtual ~PictureHost() = default;

    /// Width of the loaded map in tiles (0 until a map is loaded).
    virtual qint16 mapWidth() const = 0;
    /// Height of the loaded map in tiles (0 until a map is loaded).
    virtual qint16 mapHeight() const = 0;
    /// The map file as the user chose it (not the working copy); empty until a map is loaded.
    virtual QString mapPath() const = 0;
    /// Sets the status line and repaints it; processes no user input.
    virtual void setStatus(const QString &text) = 0;
    /// The colour list window, created hidden on first use.
    virtual frmColorList *colorList() = 0;
    /// Shows the colour list window.
    virtual void showColorList() = 0;
    /// Enables Convert, then Convert & Save.
    virtual void enableConversion() = 0;
    /// Takes `prepared`, the picture at `path` made ready for the map: by default its
    /// colours go into the colour list, each with value "0". A host with a document makes
    /// it the document's picture instead.
    virtual void usePicture(const QString &path, picture::Prepared prepared,
                            const picture::FitOptions &fit);
};
