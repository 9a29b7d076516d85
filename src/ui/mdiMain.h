#pragma once

#include "ui/PictureHost.h"
#include "ui/UnsavedWork.h"
#include "core/archive/MpqControl.h"
#include "core/common/Result.h"
#include "core/session/MapSession.h"
#include "core/settings/AppPaths.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace terrain {
class TileGraphics;
class TileMatcher;
class TileVariety;
}
namespace picture {
struct FitOptions;
}

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class RecentMapsMenu;
class UserDialogs;
class frmColorList;
class frmPicture;
class frmTerrainPreview;
class frmTilePalette;

/// The program's frame: menus, the status line, the map that is loaded, and the
/// child windows (picture, colour list, preferences, tileset).
class mdiMain : public QMainWindow, public PictureHost
{
    Q_OBJECT

public:
    /// The program's files where `paths` puts them.
    mdiMain(const AppPaths &paths, UserDialogs &dialogs, QWidget *parent = nullptr);
    /// `programDir` holds "config.ini", "readme.txt" and the working folder "temp".
    mdiMain(const QString &programDir, UserDialogs &dialogs, QWidget *parent = nullptr);
    ~mdiMain() override;

    /// Start-up, run once when the splash hands over: shows the window, clears what an
    /// ended run left in the working folder, then loads `mapAtStart` or, without one,
    /// shows the Load Map dialog when the settings ask for it. Returns false when the
    /// working folder cannot be used: the window then says why and stays without a map.
    bool MDIForm_Load(const QString &mapAtStart = {});

    /// Loads the map at `path` without asking (after the unsaved-work question). A failure
    /// leaves no map loaded and says so, naming the file. Brings the window to the front
    /// first; waits while a command runs.
    void openMap(const QString &path);

    static QString captionFor(const QString &fileTitle);


    /// Asks for a map and loads it; unsaved changes are settled first (Save/Discard/Cancel).
    void LoadMap();
    /// Loads `path` without the file dialog, as LoadMap does after the dialog.
    void LoadMapFile(const QString &path);
    /// Puts the working scenario back into the working archive and replaces `target`.
    [[nodiscard]] Status SaveMap(const QString &target);
    /// Writes the picture into the working scenario. Returns false when it refused.
    bool ConvertPicture();

    bool isMapLoaded() const { return m_session.isOpen(); }
    /// The working copy holds a conversion or tileset change the map file does not have.
    bool hasUnsavedWork() const { return m_unsaved.pending(); }
    QString statusText() const;
    frmPicture *pictureWindow() const;
    /// The colour list window if it exists (nullptr otherwise); never creates it.
    frmColorList *existingColorList() const;
    QMdiArea *mdiArea() const { return m_mdiArea; }
    QMdiSubWindow *tilesetWindow() const;
    QMdiSubWindow *preferencesWindow() const;
    QMdiSubWindow *terrainPreviewWindow() const;
    frmTerrainPreview *terrainPreview() const;
    /// The tile palette if it exists (it stays, hidden, when closed), else nullptr.
    frmTilePalette *tilePalette() const;
    QMdiSubWindow *tilePaletteWindow() const;

    // PictureHost
    qint16 mapWidth() const override { return intDimensionX; }
    qint16 mapHeight() const override { return intDimensionY; }
    QString mapPath() const override { return m_session.mapPath(); }
    void setStatus(const QString &text) override;
    frmColorList *colorList() override;
    void showColorList() override;
    void enableConversion() override;
    /// The picture becomes the document's, one step of its history.
    void usePicture(const QString &path, picture::Prepared prepared,
                    const picture::FitOptions &fit) override;

    // Menu items (objectName = member name).
    QMenu *mnuFile = nullptr;
    QMenu *mnuEdit = nullptr;
    QMenu *mnuConversion = nullptr;
    QMenu *mnuTools = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuLoad = nullptr;
    RecentMapsMenu *mnuRecent = nullptr;
    QAction *mnuFileLine1 = nullptr;
    QAction *mnuSave = nullptr;
    QAction *mnuSaveAs = nullptr;
    QAction *mnuFileLine2 = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuUndo = nullptr;
    QAction *mnuRedo = nullptr;
    QAction *mnuConvert = nullptr;
    QAction *mnuConvertSave = nullptr;
    QAction *mnuConversionLine1 = nullptr;
    /// Conversions vary the tiles (checkable, remembered; needs game data).
    QAction *mnuVary = nullptr;
    QAction *mnuTileset = nullptr;
    QAction *mnuTerrainPreview = nullptr;
    QAction *mnuToolsLine1 = nullptr;
    QAction *mnuPreferences = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuReadme = nullptr;
    QAction *mnuCoolStuff = nullptr;
    QLabel *staStatus = nullptr;

signals:
    /// The window was closed or Exit chosen: the program ends.
    void programEnded();
    /// Every status text, in order (the status line shows the last).
    void statusChanged(const QString &text);

public slots:
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    /// Take back the document's last step / make the next one again.
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuConvert_Click();
    void mnuConvertSave_Click();
    void mnuTileset_Click();
    void mnuTerrainPreview_Click();
    void mnuPreferences_Click();
    void mnuAbout_Click();
    void mnuReadme_Click();
    void mnuCoolStuff_Click();
    /// Shows the current tileset's tile palette; a tile chosen there becomes the selected
    /// colour's value.
    void openTilePalette();
    /// Gives every colour of the colour list the nearest terrain tile (only the groups
    /// ticked in the palette when some are); colours without a match keep their value.
    void matchColors();
    /// Gives every cell of the picture a terrain tile by error diffusion (the same tiles
    /// Match Colours would take): the picture shows each cell in its tile's average colour
    /// and the colour list holds those colours with their tile values. One step "Dither".
    void ditherPicture();
    /// The picture window's fit or resampling changed: remembered, and the picture made
    /// anew from its file (dithered again when it was), one step "Fit Picture".
    void pictureFitChosen(const picture::FitOptions &options);

    /// Removes the working copy without asking, for a program ended by a signal.
    void discardWorkingCopy();

protected:
    void closeEvent(QCloseEvent *event) override;
    /// A single map file dropped anywhere on the window loads as if chosen in Load Map.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createMenus();
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, bool enabled);
    QAction *addSeparator(QMenu *menu, const char *name);
    /// Repaints pending windows without taking user input, so no command can run
    /// in the middle of long work.
    void repaintNow();
    /// Load Map's steps; `given` empty asks for the file.
    void loadMap(const QString &given);
    bool loadMapSteps(const QString &given);
    /// Settles unsaved work before it would be lost; false when the user kept it.
    bool settleUnsavedWork(const QString &title);
    /// Records why a load from the command line or a hand-over failed, for its message.
    bool loadFailed(const Status &failure);
    /// Message for a failure of the environment (working folder, settings file).
    void reportEnvironment(const QString &title, const QString &text);
    void assignShortcuts();
    /// Shows a change of the document in the windows that show it.
    void documentChanged(unsigned changes, int index);
    /// Undo and Redo name the steps they would take.
    void updateEditMenu();
    void stepHistory(bool undo);
    void enterNoMapState();
    void setMapCommandsEnabled(bool enabled);
    void closeTilesetWindow();
    void discardPictureAndColors();
    void openPictureWindow();
    QMdiSubWindow *wrap(QWidget *content, bool deleteOnClose);
    void reportSaveFailure(const QString &target, const Status &failure);
    /// Shows the working copy's terrain in the preview and the tileset's tiles in the
    /// colour list, or why they cannot be shown.
    void refreshTerrain();
    /// The graphics of `tileset` from the game data folder, read once per folder.
    Result<std::shared_ptr<const terrain::TileGraphics>> tileGraphics(int tileset);
    /// The graphics of the working copy's tileset; a failure's sentence says what to do.
    Result<std::shared_ptr<const terrain::TileGraphics>> currentTileGraphics();
    /// The matcher of Match Colours and Dither (the groups ticked in the palette, when
    /// some are); nullptr, the user told why under `title`, when there is none.
    std::unique_ptr<terrain::TileMatcher> tileMatcher(const QString &title);
    /// Makes the picture anew from its file as `making` says, as step `stepName`; false,
    /// the user told why, when it cannot be.
    bool remakePicture(const PictureMaking &making, const QString &stepName);
    /// Vary Tiles is available with the current tileset's graphics, or says why not.
    void updateVaryTiles();
    /// The variety for a conversion: nullptr when Vary Tiles is off.
    std::shared_ptr<const terrain::TileVariety> conversionVariety();
    void showPictureInPreview();

    AppPaths m_paths;
    UserDialogs &m_dialogs;
    MpqControl m_mpq;
    MapSession m_session;
    QString m_loadFailure;
    UnsavedWork m_unsaved;
    bool m_busy = false;
    /// Set while the frame is being destroyed.
    bool m_ending = false;
    /// The file name shared by the Load Map and Save Map As dialogs.
    QString m_lastMapPath;

    QMdiArea *m_mdiArea = nullptr;
    QPointer<frmPicture> m_picture;
    QPointer<QMdiSubWindow> m_pictureWindow;
    QPointer<frmColorList> m_colorList;
    QPointer<QMdiSubWindow> m_colorListWindow;
    QPointer<QMdiSubWindow> m_preferencesWindow;
    QPointer<QMdiSubWindow> m_tilesetWindow;
    QPointer<frmTerrainPreview> m_terrainPreview;
    QPointer<QMdiSubWindow> m_terrainPreviewWindow;
    QPointer<frmTilePalette> m_tilePalette;
    QPointer<QMdiSubWindow> m_tilePaletteWindow;
    std::shared_ptr<const terrain::TileGraphics> m_tileGraphics;
    QString m_tileGraphicsKey;
    std::shared_ptr<const terrain::TileVariety> m_variety;
    std::shared_ptr<const terrain::TileGraphics> m_varietyGraphics;

public:
    // The loaded map as the windows name it: views of the document, which the load sets.
    const qint16 &intDimensionX;
    const qint16 &intDimensionY;
    const QString &strFilename;
};
