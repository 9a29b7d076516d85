#include "ui/mdiMain.h"

#include "core/qtimage/QtImage.h"
#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "ui/frmTileset.h"
#include "ui/UserDialogs.h"
#include "ui/frmAbout.h"
#include "ui/frmPreferences.h"
#include "ui/DroppedFile.h"
#include "ui/RecentMapsMenu.h"
#include "core/settings/Settings.h"
#include "core/common/UserText.h"
#include "core/tileset/TerrainSource.h"
#include "core/tileset/TileGraphics.h"
#include "ui/frmTerrainPreview.h"
#include "ui/frmTilePalette.h"
#include "ui/TilePaletteModel.h"
#include "core/scenario/Tileset.h"
#include "core/tileset/TileDither.h"
#include "core/tileset/TileMatcher.h"
#include "core/tileset/TileVariety.h"

#include "core/common/UserText.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>

namespace {

const QStringList MapSuffixes{QStringLiteral("scm"), QStringLiteral("scx")};

// Client area of the frame when it is first shown.
constexpr int ClientWidth = 565;
constexpr int ClientHeight = 368;

QString mapFilter()
{
    return mdiMain::tr("StarCraft Maps (*.scm;*.scx) (*.scm *.scx)");
}

} // namespace

mdiMain::mdiMain(const QString &programDir, UserDialogs &dialogs, QWidget *parent)
    : mdiMain(AppPaths::portable(programDir), dialogs, parent)
{
}

mdiMain::mdiMain(const AppPaths &paths, UserDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent)
    , m_paths(paths)
    , m_dialogs(dialogs)
    , m_session(Workspace::inFolder(paths.workFolder), m_mpq, paths.workFolder)
    , m_unsaved(dialogs, [this] { return m_session.hasUnsavedWork(); })
    , intDimensionX(m_session.width())
    , intDimensionY(m_session.height())
    , strFilename(m_session.mapPath())
{
    m_session.keepHistory();
    m_session.setObserver([this](unsigned changes, int index) { documentChanged(changes, index); });
    setObjectName(QStringLiteral("mdiMain"));
    setWindowTitle(captionFor(tr("No File Loaded")));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The application-workspace colour of the platform.
    m_mdiArea->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);

    createMenus();

    // A permanent label, so that menu hovers never wipe the status text.
    staStatus = new QLabel(this);
    staStatus->setObjectName(QStringLiteral("staStatus"));
    // The label's text is its accessible name, so a screen reader speaks the status itself.
    staStatus->setAccessibleDescription(tr("Status"));
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addWidget(staStatus, 1);

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height()
                            + statusBar()->sizeHint().height());
}

mdiMain::~mdiMain()
{
    // The child windows go first, while the frame is still whole: their destroyed()
    // signals reach it, and it ignores them from here on.
    m_ending = true;
    delete m_mdiArea;
}

QString mdiMain::captionFor(const QString &fileTitle)
{
    return tr("::[Velmora]::[Version %1.%2]::[%3]::....")
        .arg(VELMORA_VERSION_MAJOR)
        .arg(VELMORA_VERSION_MINOR)
        .arg(fileTitle);
}

QAction *mdiMain::addItem(QMenu *menu, const char *name, const QString &caption, bool enabled)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

QAction *mdiMain::addSeparator(QMenu *menu, const char *name)
{
    QAction *line = menu->addSeparator();
    line->setObjectName(QString::fromLatin1(name));
    return line;
}

void mdiMain::createMenus()
{
    mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuLoad = addItem(mnuFile, "mnuLoad", tr("&Load Map"), true);
    mnuRecent = new RecentMapsMenu(m_paths.configFile, mnuFile);
    mnuRecent->menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    mnuFile->addMenu(mnuRecent);
    mnuFileLine1 = addSeparator(mnuFile, "mnuFileLine1");
    mnuSave = addItem(mnuFile, "mnuSave", tr("&Save Map"), false);
    mnuSaveAs = addItem(mnuFile, "mnuSaveAs", tr("Save Map &As..."), false);
    mnuFileLine2 = addSeparator(mnuFile, "mnuFileLine2");
    mnuExit = addItem(mnuFile, "mnuExit", tr("&Exit"), true);

    mnuEdit = menuBar()->addMenu(tr("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuUndo = addItem(mnuEdit, "mnuUndo", tr("&Undo"), false);
    mnuRedo = addItem(mnuEdit, "mnuRedo", tr("&Redo"), false);

    mnuConversion = menuBar()->addMenu(tr("&Conversion"));
    mnuConversion->setObjectName(QStringLiteral("mnuConversion"));
    mnuConvert = addItem(mnuConversion, "mnuConvert", tr("&Convert"), false);
    mnuConvertSave = addItem(mnuConversion, "mnuConvertSave", tr("Convert && &Save"), false);
    mnuConversionLine1 = addSeparator(mnuConversion, "mnuConversionLine1");
    mnuVary = addItem(mnuConversion, "mnuVary", tr("&Vary Tiles"), false);
    mnuVary->setCheckable(true);
    mnuVary->setChecked(settings::read(m_paths.configFile, settings::VaryTiles) == 1);
    mnuConversion->setToolTipsVisible(true);

    mnuTools = menuBar()->addMenu(tr("&Tools"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    mnuTileset = addItem(mnuTools, "mnuTileset", tr("Change &Tileset"), false);
    mnuTerrainPreview = addItem(mnuTools, "mnuTerrainPreview", tr("Terrain Pre&view"), true);
    mnuToolsLine1 = addSeparator(mnuTools, "mnuToolsLine1");
    mnuPreferences = addItem(mnuTools, "mnuPreferences", tr("&Preferences"), true);

    mnuHelp = menuBar()->addMenu(tr("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = addItem(mnuHelp, "mnuAbout", tr("&About"), true);
    mnuReadme = addItem(mnuHelp, "mnuReadme", tr("&Readme"), true);
    mnuCoolStuff = addItem(mnuHelp, "mnuCoolStuff", tr("Cool Stuff!"), true);

    assignShortcuts();

    connect(mnuLoad, &QAction::triggered, this, &mdiMain::LoadMap);
    connect(mnuRecent, &RecentMapsMenu::mapChosen, this, &mdiMain::LoadMapFile);
    connect(mnuSave, &QAction::triggered, this, &mdiMain::mnuSave_Click);
    connect(mnuSaveAs, &QAction::triggered, this, &mdiMain::mnuSaveAs_Click);
    connect(mnuExit, &QAction::triggered, this, &mdiMain::mnuExit_Click);
    connect(mnuUndo, &QAction::triggered, this, &mdiMain::mnuUndo_Click);
    connect(mnuRedo, &QAction::triggered, this, &mdiMain::mnuRedo_Click);
    connect(mnuConvert, &QAction::triggered, this, &mdiMain::mnuConvert_Click);
    connect(mnuConvertSave, &QAction::triggered, this, &mdiMain::mnuConvertSave_Click);
    connect(mnuVary, &QAction::toggled, this, [this](bool on) {
        settings::Changes changes;
        changes.set(settings::VaryTiles, on ? 1 : 0);
        if (!changes.store(m_paths.configFile))
            setStatus(tr("Vary Tiles could not be remembered: the settings file cannot be written."));
    });
    connect(mnuTileset, &QAction::triggered, this, &mdiMain::mnuTileset_Click);
    connect(mnuTerrainPreview, &QAction::triggered, this, &mdiMain::mnuTerrainPreview_Click);
    connect(mnuPreferences, &QAction::triggered, this, &mdiMain::mnuPreferences_Click);
    connect(mnuAbout, &QAction::triggered, this, &mdiMain::mnuAbout_Click);
    connect(mnuReadme, &QAction::triggered, this, &mdiMain::mnuReadme_Click);
    connect(mnuCoolStuff, &QAction::triggered, this, &mdiMain::mnuCoolStuff_Click);
}

void mdiMain::assignShortcuts()
{
    // The usual keys first (the menus show the first), then the platform's own bindings.
    auto assign = [](QAction *action, const QKeySequence &usual, QKeySequence::StandardKey key) {
        QList<QKeySequence> keys{usual};
        for (const QKeySequence &k : QKeySequence::keyBindings(key))
            if (!keys.contains(k))
                keys << k;
        action->setShortcuts(keys);
    };
    assign(mnuLoad, QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence::Open);
    assign(mnuSave, QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence::Save);
    assign(mnuSaveAs, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S), QKeySequence::SaveAs);
    assign(mnuExit, QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence::Quit);
    assign(mnuUndo, QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence::Undo);
    // Both usual keys, whatever the platform binds.
    QList<QKeySequence> redo{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                             QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence &k : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redo.contains(k))
            redo.append(k);
    mnuRedo->setShortcuts(redo);
}

bool mdiMain::MDIForm_Load(const QString &mapAtStart)
{
    if (settings::read(m_paths.configFile, settings::StatusBar) == 0)
        statusBar()->hide();
    setStatus(tr("Initialized."));
    show();
    setWindowTitle(captionFor(tr("No File Loaded")));

    // Only one copy runs per working folder (the caller holds the lock), so whatever is
    // in it now is left over from a run that ended without cleaning up.
    if (const Status cleared = m_session.clearWorkingFolder(); !cleared) {
        reportEnvironment(tr("Velmora"), cleared.reason());
        enterNoMapState();
        return false;
    }
    if (!mapAtStart.isEmpty())
        openMap(mapAtStart);
    else if (settings::read(m_paths.configFile, settings::LoadDialog) == 1)
        LoadMap();
    return true;
}

void mdiMain::reportEnvironment(const QString &title, const QString &text)
{
    m_dialogs.showMessage(this, QMessageBox::Critical, title, text);
}

void mdiMain::openMap(const QString &path)
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    if (path.isEmpty())
        return;
    if (m_busy) {
        // A command or a dialog is running; the map waits until it is done.
        QTimer::singleShot(200, this, [this, path] { openMap(path); });
        return;
    }
    m_loadFailure.clear();
    loadMap(path); // asks first when unsaved work would be lost
    if (!m_session.isOpen() && !m_loadFailure.isEmpty())
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Load Map"),
                              tr("The map \"%1\" could not be loaded.").arg(shownPath(path))
                                  + QStringLiteral("\n\n") + m_loadFailure);
}

bool mdiMain::loadFailed(const Status &failure)
{
    m_loadFailure = failure.reason().isEmpty()
        ? tr("It is missing, is not a StarCraft map archive, or is damaged.")
        : failure.reason();
    return false;
}

frmPicture *mdiMain::pictureWindow() const
{
    return m_picture;
}

frmColorList *mdiMain::existingColorList() const
{
    return m_colorList;
}

QMdiSubWindow *mdiMain::tilesetWindow() const
{
    return m_tilesetWindow;
}

QMdiSubWindow *mdiMain::preferencesWindow() const
{
    return m_preferencesWindow;
}

QMdiSubWindow *mdiMain::terrainPreviewWindow() const
{
    return m_terrainPreviewWindow;
}

frmTerrainPreview *mdiMain::terrainPreview() const
{
    return m_terrainPreview;
}

frmTilePalette *mdiMain::tilePalette() const
{
    return m_tilePalette;
}

QMdiSubWindow *mdiMain::tilePaletteWindow() const
{
    return m_tilePaletteWindow;
}

QString mdiMain::statusText() const
{
    return staStatus->text();
}

void mdiMain::repaintNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void mdiMain::setStatus(const QString &text)
{
    staStatus->setText(text);
    emit statusChanged(text);
    repaintNow();
}

// ---------------------------------------------------------------------------
// Map loading

void mdiMain::LoadMap()
{
    loadMap(QString());
}

void mdiMain::LoadMapFile(const QString &path)
{
    if (!path.isEmpty())
        loadMap(path);
}

void mdiMain::loadMap(const QString &given)
{
    if (m_busy)
        return;
    if (!settleUnsavedWork(tr("Load Map")))
        return;
    m_busy = true;
    if (!loadMapSteps(given))
        enterNoMapState();
    m_busy = false;
}

bool mdiMain::settleUnsavedWork(const QString &title)
{
    // The question is never asked in the middle of long work.
    if (m_busy && m_unsaved.pending())
        return false;
    return m_unsaved.settle(this, title, strFilename, [this] {
        const Status saved = SaveMap(strFilename);
        if (!saved)
            reportSaveFailure(strFilename, saved);
        return saved.ok();
    });
}

bool mdiMain::loadMapSteps(const QString &given)
{
    // The working files are about to go: nothing may keep a position in them.
    closeTilesetWindow();

    // A working folder that cannot be used is the environment's fault, never silent.
    if (const Status cleared = m_session.clearWorkingFolder(); !cleared) {
        reportEnvironment(tr("Load Map"), cleared.reason());
        return false;
    }
    if (!m_session.clear())
        return false;
    repaintNow();

    const QString chosen = !given.isEmpty()
        ? given
        : m_dialogs.getOpenFileName(this, tr("Load Map"), m_lastMapPath, mapFilter());
    if (chosen.isEmpty())
        return false;
    m_lastMapPath = chosen;

    const Status opened = m_session.open(chosen, [this](const QString &text) { setStatus(text); });
    if (opened.kind() == FailureKind::UnsupportedSize) {
        m_dialogs.showMessage(this, QMessageBox::Critical, tr("Load Map"),
                              tr("Map dimensions invalid.") + QStringLiteral("\r\n\r\n")
                                  + tr("Make sure the map uses standard map dimensions."));
        return false;
    }
    if (!opened)
        return loadFailed(opened);

    setStatus(tr("Map loaded!"));
    setWindowTitle(captionFor(QFileInfo(chosen).fileName()));
    mnuRecent->remember(chosen);
    mnuSave->setEnabled(true);
    mnuSaveAs->setEnabled(true);
    mnuTileset->setEnabled(true);
    // The picture goes with the old map; the next picture load enables these again.
    mnuConvert->setEnabled(false);
    mnuConvertSave->setEnabled(false);

    discardPictureAndColors();
    openPictureWindow();
    refreshTerrain();
    return true;
}

void mdiMain::enterNoMapState()
{
    setMapCommandsEnabled(false);
    closeTilesetWindow();
    setStatus(tr("No map loaded."));
    refreshTerrain();
}

void mdiMain::setMapCommandsEnabled(bool enabled)
{
    mnuSave->setEnabled(enabled);
    mnuSaveAs->setEnabled(enabled);
    mnuTileset->setEnabled(enabled);
    mnuConvert->setEnabled(enabled);
    mnuConvertSave->setEnabled(enabled);
}

void mdiMain::closeTilesetWindow()
{
    delete m_tilesetWindow;
}

QMdiSubWindow *mdiMain::wrap(QWidget *content, bool deleteOnClose)
{
    auto *window = new QMdiSubWindow;
    window->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    window->setWidget(content);
    window->setWindowTitle(content->windowTitle());
    window->setWindowIcon(windowIcon());
    m_mdiArea->addSubWindow(window);
    return window;
}

void mdiMain::discardPictureAndColors()
{
    delete m_pictureWindow;
    delete m_colorListWindow;
    delete m_tilePaletteWindow;
}

void mdiMain::openPictureWindow()
{
    m_picture = new frmPicture(*this, m_dialogs);
    m_picture->layoutForMap(intDimensionX, intDimensionY);
    picture::FitOptions remembered;
    remembered.fit = picture::fitFromName(settings::read(m_paths.configFile, settings::PictureFit))
                         .value_or(picture::Fit::None);
    remembered.resample =
        picture::resampleFromName(settings::read(m_paths.configFile, settings::PictureResample))
            .value_or(picture::Resample::Area);
    m_picture->showFitOptions(remembered);
    connect(m_picture, &frmPicture::fitChosen, this, &mdiMain::pictureFitChosen);
    // Closing the picture window only hides it: the conversion still reads its picture.
    m_pictureWindow = wrap(m_picture, false);
    m_pictureWindow->setWindowFlags(m_pictureWindow->windowFlags() & ~Qt::WindowMaximizeButtonHint);
    m_pictureWindow->show();
    m_pictureWindow->adjustSize();
}

// ---------------------------------------------------------------------------
// Picture host

frmColorList *mdiMain::colorList()
{
    if (!m_colorList) {
        m_colorList = new frmColorList(m_dialogs);
        // Closing the colour list only hides it: the conversion needs its lists.
        m_colorListWindow = wrap(m_colorList, false);
        m_colorListWindow->setWindowFlags(m_colorListWindow->windowFlags()
                                          & ~Qt::WindowMaximizeButtonHint);
        m_colorListWindow->hide();
        connect(m_colorList, &frmColorList::tilePaletteRequested, this, &mdiMain::openTilePalette);
        connect(m_colorList, &frmColorList::matchRequested, this, &mdiMain::matchColors);
        connect(m_colorList, &frmColorList::ditherRequested, this, &mdiMain::ditherPicture);
        m_colorList->showDocument(
            &m_session.colorTable(),
            {[this](int index, const QString &text) { (void)m_session.typeValue(index, text); },
             [this](int index, quint16 value) { (void)m_session.pickTile(index, value); },
             [this](const QStringList &values, const QString &stepName) {
                 (void)m_session.setValues(values, stepName);
             }});
        refreshTerrain();
    }
    return m_colorList;
}

void mdiMain::showColorList()
{
    colorList();
    m_colorListWindow->show();
    m_colorListWindow->adjustSize();
    m_colorListWindow->raise();
}

void mdiMain::usePicture(const QString &path, picture::Prepared prepared,
                         const picture::FitOptions &fit)
{
    m_session.setPicture(path, std::move(prepared), {fit, false});
}

void mdiMain::refusePicture(const QString &path, const Failure &failure,
                            const picture::FitOptions &fit)
{
    const bool onlyColours = failure.kind == FailureKind::TooManyColors;
    m_session.dropPicture(onlyColours ? PendingPicture{path, {fit, false}} : PendingPicture{});
}

DitherChance mdiMain::ditherChance()
{
    const auto graphics = currentTileGraphics();
    return {true, graphics ? QString() : graphics.reason()};
}

void mdiMain::updateDitherPending()
{
    if (!m_colorList)
        return;
    const bool ready = !m_session.pendingPicture().path.isEmpty() && currentTileGraphics().ok();
    const bool becameReady = ready && !m_colorList->ditherPending();
    m_colorList->setDitherPending(ready);
    // The colour list holds the Dither that can make the picture now (the game data may
    // have just been chosen).
    if (becameReady)
        showColorList();
}

void mdiMain::pictureMade()
{
    if (m_colorList)
        m_colorList->lstColor->setEnabled(true);
    enableConversion();
}

void mdiMain::enableConversion()
{
    mnuConvert->setEnabled(true);
    mnuConvertSave->setEnabled(true);
}

// ---------------------------------------------------------------------------
// Saving

Status mdiMain::SaveMap(const QString &target)
{
    const Status saved = m_session.save(target, [this] { repaintNow(); });
    if (saved) {
        setStatus(tr("Map saved!"));
    }
    return saved;
}

void mdiMain::reportSaveFailure(const QString &target, const Status &failure)
{
    m_dialogs.showMessage(this, QMessageBox::Warning, tr("Save Map"),
                          tr("The map could not be saved to %1.")
                                  .arg(shownPath(target))
                              + QStringLiteral("\n\n") + failure.reason());
}

void mdiMain::mnuSave_Click()
{
    if (m_busy)
        return;
    m_busy = true;
    const Status saved = SaveMap(strFilename);
    if (!saved)
        reportSaveFailure(strFilename, saved);
    m_busy = false;
}

void mdiMain::mnuSaveAs_Click()
{
    if (m_busy || !m_session.isOpen())
        return;
    m_busy = true;
    const QString target =
        m_dialogs.getSaveFileName(this, tr("Save Map As..."), m_lastMapPath, mapFilter());
    if (!target.isEmpty()) {
        m_lastMapPath = target;
        const Status saved = SaveMap(target);
        if (!saved)
            reportSaveFailure(target, saved);
    }
    m_busy = false;
}

// ---------------------------------------------------------------------------
// Conversion

bool mdiMain::ConvertPicture()
{
    const picture::Pixels picture = m_picture ? m_picture->picture() : picture::Pixels();
    const QList<qint32> &colors = m_session.colorTable().colors;
    const QStringList &replacements = m_session.colorTable().values;
    m_session.setVariety(conversionVariety());
    const Status converted = m_session.convert(picture, colors, replacements,
                                               [this](const QString &text) { setStatus(text); });
    if (!converted) {
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Convert"), converted.reason());
        setStatus(tr("Conversion failed."));
        return false;
    }
    return true;
}

void mdiMain::mnuConvert_Click()
{
    if (m_busy)
        return;
    m_busy = true;
    ConvertPicture();
    m_busy = false;
}

void mdiMain::mnuConvertSave_Click()
{
    if (m_busy)
        return;
    if (!m_session.isOpen()) {
        // The working files belong to no map: never save them over the last map.
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Convert & Save"),
                              tr("No map is loaded. Load a map first."));
        return;
    }
    m_busy = true;
    // A refused conversion wrote nothing: saving then would only claim success.
    if (ConvertPicture()) {
        const Status saved = SaveMap(strFilename);
        if (!saved)
            reportSaveFailure(strFilename, saved);
    }
    m_busy = false;
}

// ---------------------------------------------------------------------------
// Tools and Help

void mdiMain::mnuTileset_Click()
{
    if (m_tilesetWindow) {
        m_mdiArea->setActiveSubWindow(m_tilesetWindow);
        m_tilesetWindow->raise();
        return;
    }
    if (!m_session.isOpen() || m_busy)
        return;
    auto *dialog = new frmTileset(
        {[this] { return m_session.tileset(); },
         [this](int number, qint32 position) { return m_session.applyTileset(number, position); }});
    connect(dialog, &frmTileset::failed, this, [this](const QString &reason) {
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Change Tileset"), reason);
    });
    m_tilesetWindow = wrap(dialog, true);
    // The tileset may have changed when the window goes.
    connect(dialog, &QObject::destroyed, this, [this] { refreshTerrain(); });
    m_tilesetWindow->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                    | Qt::WindowCloseButtonHint);
    m_tilesetWindow->show();
    m_tilesetWindow->adjustSize();
}

void mdiMain::mnuTerrainPreview_Click()
{
    if (m_terrainPreviewWindow) {
        m_terrainPreviewWindow->show();
        m_mdiArea->setActiveSubWindow(m_terrainPreviewWindow);
        m_terrainPreviewWindow->raise();
        return;
    }
    m_terrainPreview = new frmTerrainPreview(m_dialogs);
    m_terrainPreviewWindow = wrap(m_terrainPreview, true);
    m_terrainPreviewWindow->show();
    refreshTerrain();
    showPictureInPreview();
}

Result<std::shared_ptr<const terrain::TileGraphics>> mdiMain::tileGraphics(int tileset)
{
    const QString folder = terrain::storedGameDataFolder(m_paths.configFile);
    const QString key = folder + QLatin1Char('\n') + QString::number(tileset);
    if (m_tileGraphics && key == m_tileGraphicsKey)
        return m_tileGraphics;
    m_tileGraphics.reset();
    auto loaded = terrain::loadTileGraphics(m_mpq, folder, tileset);
    if (loaded) {
        m_tileGraphics = *loaded;
        m_tileGraphicsKey = key;
    }
    return loaded;
}

Result<std::shared_ptr<const terrain::TileGraphics>> mdiMain::currentTileGraphics()
{
    if (!m_session.isOpen())
        return fail(FailureKind::NoMap, tr("No map is loaded. Load a map first."));
    const auto stored = m_session.tileset(QFileInfo(strFilename).fileName());
    if (!stored)
        return stored.failure();
    auto loaded = tileGraphics(stored->value);
    if (!loaded && loaded.kind() == FailureKind::GameData)
        return fail(FailureKind::GameData,
                    loaded.reason() + QStringLiteral("\n\n")
                        + tr("Choose the game data folder in Tools > Preferences."));
    return loaded;
}

void mdiMain::openTilePalette()
{
    if (m_busy || !m_colorList)
        return;
    const auto graphics = currentTileGraphics();
    if (!graphics) {
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Tile Palette"), graphics.reason());
        return;
    }
    // A palette of another tileset (changed since) goes; its ticks meant other groups.
    if (m_tilePalette && m_tilePalette->graphics() != *graphics)
        delete m_tilePaletteWindow;
    if (!m_tilePalette) {
        m_tilePalette = new frmTilePalette(*graphics);
        connect(m_tilePalette, &frmTilePalette::tileChosen, this, [this](quint16 value) {
            if (!m_colorList)
                return;
            m_colorList->chooseTile(value);
            m_mdiArea->setActiveSubWindow(m_colorListWindow);
        });
        // Closing only hides it: the ticked groups still limit matching.
        m_tilePaletteWindow = wrap(m_tilePalette, false);
        m_tilePaletteWindow->show();
        m_tilePaletteWindow->adjustSize();
        // Beside the colour list, so the colour stays in sight.
        if (m_colorListWindow)
            m_tilePaletteWindow->move(m_colorListWindow->geometry().topRight() + QPoint(4, 0));
    }
    if (const std::optional<quint16> value = m_colorList->selectedValue())
        m_tilePalette->selectTile(*value);
    m_tilePaletteWindow->show();
    m_mdiArea->setActiveSubWindow(m_tilePaletteWindow);
    m_tilePalette->tblTiles->setFocus();
}

std::unique_ptr<terrain::TileMatcher> mdiMain::tileMatcher(const QString &title)
{
    const auto graphics = currentTileGraphics();
    if (!graphics) {
        m_dialogs.showMessage(this, QMessageBox::Warning, title, graphics.reason());
        return nullptr;
    }
    const QSet<int> groups = m_tilePalette && m_tilePalette->graphics() == *graphics
        ? m_tilePalette->model()->checkedGroups()
        : QSet<int>();
    auto matcher = std::make_unique<terrain::TileMatcher>(**graphics, groups);
    if (!matcher->isEmpty())
        return matcher;
    m_dialogs.showMessage(
        this, QMessageBox::Warning, title,
        groups.isEmpty()
            ? tr("The tileset has no terrain tiles to match colours with.")
            : tr("The groups ticked in the tile palette hold no terrain tiles. Tick "
                 "other groups, or none to match with every terrain group."));
    return nullptr;
}

void mdiMain::matchColors()
{
    if (m_busy || !m_colorList)
        return;
    const std::unique_ptr<terrain::TileMatcher> matcher = tileMatcher(tr("Match Colours"));
    if (!matcher)
        return;
    m_busy = true;
    const QList<qint32> colors = m_colorList->colorValues();
    QElapsedTimer clock;
    clock.start();
    const auto chosen = matcher->nearestAll(colors, [this, &clock](int done, int total) {
        if (clock.elapsed() >= 200)
            setStatus(tr("Matching colours... %1 of %2").arg(done).arg(total));
    });
    QStringList values = m_colorList->lstReplace();
    int matched = 0;
    for (qsizetype i = 0; i < chosen.size(); ++i)
        if (chosen[i]) {
            values[i] = QString::number(*chosen[i]);
            ++matched;
        }
    (void)m_session.setValues(values, tr("Match Colours"));
    setStatus(tr("Colours matched: %1 of %2.").arg(matched).arg(colors.size()));
    m_busy = false;
}

void mdiMain::ditherPicture()
{
    if (m_busy || !m_colorList || !m_picture)
        return;
    // The picture window's fit, which may be one the plain picture had too many colours for.
    if (remakePicture({m_picture->fitOptions(), true}, tr("Dither")))
        setStatus(tr("Picture dithered to the tiles: %1 colours.").arg(m_session.colorTable().size()));
}

void mdiMain::pictureFitChosen(const picture::FitOptions &options)
{
    settings::Changes changes;
    (void)changes.set(settings::PictureFit, picture::fitName(options.fit));
    (void)changes.set(settings::PictureResample, picture::resampleName(options.resample));
    if (!changes.store(m_paths.configFile))
        setStatus(tr("The fit could not be remembered: the settings file cannot be written."));
    if (m_busy || m_session.picturePath().isEmpty())
        return;
    const PictureMaking making{options, m_session.pictureMaking().dithered};
    if (making != m_session.pictureMaking() && remakePicture(making, tr("Fit Picture")))
        setStatus(tr("Picture loaded!"));
}

bool mdiMain::remakePicture(const PictureMaking &making, const QString &stepName)
{
    const QString path = m_session.pictureSource();
    if (path.isEmpty())
        return false;
    std::unique_ptr<terrain::TileMatcher> matcher;
    QHash<qint32, quint16> tileValues;
    picture::PrepareOptions options;
    options.fit = making.fit;
    if (making.dithered) {
        matcher = tileMatcher(stepName);
        if (!matcher)
            return false;
        options = terrain::ditherOptions(making.fit, *matcher, &tileValues);
    }
    m_busy = true;
    picture::PrepareDetail detail;
    Result<picture::Prepared> prepared =
        picture::prepare(path, QSize(intDimensionX, intDimensionY), options,
                         [this](const QString &text) { setStatus(text); }, &detail);
    m_busy = false;
    if (!prepared) {
        if (m_picture)
            m_picture->reportFailure(path, prepared.failure(), detail);
        return false;
    }
    QStringList values;
    if (making.dithered)
        for (qint32 color : std::as_const(prepared->colors))
            values.append(QString::number(tileValues.value(color, 0)));
    if (!m_session.remakePicture(std::move(prepared).value(), making, values, stepName))
        return false;
    pictureMade();
    return true;
}

void mdiMain::updateVaryTiles()
{
    if (!mnuVary)
        return;
    const auto graphics = m_session.isOpen()
        ? currentTileGraphics()
        : Result<std::shared_ptr<const terrain::TileGraphics>>(
              fail(FailureKind::NoMap, tr("Load a map to vary its tiles.")));
    mnuVary->setEnabled(graphics.ok());
    // One line: why it is unavailable, or what it does.
    const QString tip = graphics ? tr("Replace each terrain tile written by a variant of the same "
                                      "tile group of nearly the same colour")
                                 : graphics.reason().simplified();
    mnuVary->setToolTip(tip);
    mnuVary->setStatusTip(tip);
}

std::shared_ptr<const terrain::TileVariety> mdiMain::conversionVariety()
{
    // Unavailable (no game data), the remembered choice waits and nothing varies.
    if (!mnuVary->isChecked() || !mnuVary->isEnabled())
        return nullptr;
    const auto graphics = currentTileGraphics();
    if (!graphics)
        return nullptr;
    if (!m_variety || m_varietyGraphics != *graphics) {
        m_variety = std::make_shared<const terrain::TileVariety>(**graphics);
        m_varietyGraphics = *graphics;
    }
    return m_variety;
}

void mdiMain::showPictureInPreview()
{
    if (m_terrainPreview)
        m_terrainPreview->setPicture(qtimage::toImage(m_session.picture()));
}

void mdiMain::refreshTerrain()
{
    if (m_ending)
        return;
    updateVaryTiles();
    updateDitherPending();
    if (!m_terrainPreview && !m_colorList)
        return;
    terrain::TileMap map;
    std::shared_ptr<const terrain::TileGraphics> graphics;
    QString reason = tr("Load a map to see its terrain and tiles.");
    if (m_session.isOpen()) {
        const Status read = m_session.readTileMap(QFileInfo(strFilename).fileName(), &map);
        auto loaded = read ? tileGraphics(map.tileset)
                           : Result<std::shared_ptr<const terrain::TileGraphics>>(read.failure());
        if (loaded)
            graphics = *loaded;
        else
            reason = loaded.reason();
    }
    const QString gameData = terrain::storedGameDataFolder(m_paths.configFile);
    // The palette shows one tileset's tiles: another tileset (or none) takes it away.
    if (m_tilePalette && m_tilePalette->graphics() != graphics)
        delete m_tilePaletteWindow;
    if (m_terrainPreview) {
        m_terrainPreview->setSources(strFilename, gameData);
        if (graphics)
            m_terrainPreview->showTerrain(map, graphics);
        else
            m_terrainPreview->showUnavailable(reason);
    }
    if (m_colorList) {
        m_colorList->setGameData(gameData);
        if (graphics)
            m_colorList->setTileImages([graphics](quint16 value) {
                return qtimage::toImage(graphics->tile(value), QImage::Format_RGB32);
            },
                                       QString());
        else
            m_colorList->setTileImages({}, reason);
    }
}

void mdiMain::mnuPreferences_Click()
{
    if (m_preferencesWindow) {
        m_mdiArea->setActiveSubWindow(m_preferencesWindow);
        m_preferencesWindow->raise();
        return;
    }
    auto *dialog = new frmPreferences(m_paths);
    dialog->setDialogs(&m_dialogs);
    connect(dialog, &frmPreferences::failed, this, [this](const QString &reason) {
        reportEnvironment(tr("Preferences"), reason);
    });
    m_preferencesWindow = wrap(dialog, true);
    // The game data folder may have changed when the window goes.
    connect(dialog, &QObject::destroyed, this, [this] { refreshTerrain(); });
    m_preferencesWindow->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint
                                        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_preferencesWindow->show();
    m_preferencesWindow->adjustSize();
}

void mdiMain::mnuAbout_Click()
{
    frmAbout about(this);
    about.exec();
}

void mdiMain::mnuReadme_Click()
{
    const QString path = m_paths.readme();
    if (!path.isEmpty())
        m_dialogs.openDocument(path);
    else
        m_dialogs.showMessage(this, QMessageBox::Warning, tr("Error"),
                              tr("readme.txt could not be found."));
}

void mdiMain::mnuCoolStuff_Click()
{
    // Present in the menu, and deliberately without an action.
}

void mdiMain::mnuExit_Click()
{
    close();
}

void mdiMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData(), MapSuffixes).isEmpty())
        event->acceptProposedAction();
}

void mdiMain::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData(), MapSuffixes);
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop returns before the load runs, so the dragging program is never kept waiting.
    QMetaObject::invokeMethod(this, [this, path] { LoadMapFile(path); }, Qt::QueuedConnection);
}

void mdiMain::discardWorkingCopy()
{
    closeTilesetWindow();
    (void)m_session.removeWorkingFiles();
}

void mdiMain::closeEvent(QCloseEvent *event)
{
    if (!settleUnsavedWork(tr("Exit"))) {
        event->ignore();
        return;
    }
    // The working copy goes with the program (whatever a crash leaves behind, the next
    // start clears).
    event->accept();
    (void)m_session.removeWorkingFiles();
    emit programEnded();
}

// ---------------------------------------------------------------------------
// The document and its history

void mdiMain::documentChanged(unsigned changes, int index)
{
    if (m_ending)
        return;
    if (changes & MapSession::PictureChanged) {
        if (m_picture) {
            m_picture->showPicture(m_session.picture());
            if (!m_session.picturePath().isEmpty())
                m_picture->showFitOptions(m_session.pictureMaking().fit);
            else if (!m_session.pendingPicture().path.isEmpty())
                m_picture->showFitOptions(m_session.pendingPicture().making.fit);
        }
        showPictureInPreview();
        updateDitherPending();
        if (m_colorList) {
            m_colorList->documentTableChanged();
            m_colorList->setOrigin(strFilename, intDimensionX, intDimensionY,
                                   m_session.picturePath());
        }
    }
    if (m_colorList && (changes & MapSession::ValueChanged))
        m_colorList->documentValueChanged(index);
    if (m_colorList && (changes & MapSession::ValuesChanged))
        m_colorList->documentValuesChanged();
    if (changes & MapSession::ScenarioChanged)
        refreshTerrain();
    if (changes & MapSession::HistoryChanged)
        updateEditMenu();
}

void mdiMain::updateEditMenu()
{
    if (!mnuUndo)
        return;
    const QString undo = m_session.undoName();
    const QString redo = m_session.redoName();
    mnuUndo->setText(undo.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(undo));
    mnuRedo->setText(redo.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(redo));
    mnuUndo->setEnabled(!undo.isEmpty());
    mnuRedo->setEnabled(!redo.isEmpty());
}

void mdiMain::stepHistory(bool undo)
{
    if (m_busy)
        return;
    m_busy = true;
    const Status stepped = undo ? m_session.undo() : m_session.redo();
    if (!stepped)
        m_dialogs.showMessage(this, QMessageBox::Warning, undo ? tr("Undo") : tr("Redo"),
                              stepped.reason());
    m_busy = false;
}

void mdiMain::mnuUndo_Click()
{
    stepHistory(true);
}

void mdiMain::mnuRedo_Click()
{
    stepHistory(false);
}
