#pragma once

#include "core/common/Result.h"
#include "core/common/StatusFn.h"
#include "core/picture/PicturePipeline.h"
#include "core/picture/Pixels.h"
#include "core/scenario/ScenarioFile.h"
#include "core/scenario/Tileset.h"
#include "core/scenario/Workspace.h"
#include "core/tileset/TileMap.h"
#include "core/session/ColorTable.h"
#include "core/session/History.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class ArchiveAccess;
namespace terrain {
class TileVariety;
}
struct ConversionInput;


/// The whole job on one map, for the windows, the companion and the benchmarks alike: open
/// a map into the working folder, read and apply its tileset, convert a picture into it,
/// save it. Every failure names the user's own files (never a working path) and carries
/// its kind.
///
/// It is also the one document the windows show: the loaded map (path, size, tileset in
/// the working scenario), the picture's map area and the colour table made from it. Every
/// change goes through it as one step of its history (when one is kept, see keepHistory),
/// so it can be undone and redone; whether the working copy differs from the map file
/// comes from that history.
class MapSession
{
public:
    /// What a change touched, for the windows to redraw (flags, or'ed).
    enum Change : unsigned {
        ValueChanged = 1,    ///< one colour's value (the index given)
        ValuesChanged = 2,   ///< every value at once
        PictureChanged = 4,  ///< the picture and its whole colour table
        ScenarioChanged = 8, ///< the working scenario (terrain, tileset)
        HistoryChanged = 16, ///< what Undo and Redo would do, or the unsaved state
    };
    using Observer = std::function<void(unsigned changes, int index)>;

    /// `workspace` is where the working files live; `shownWorkFolder` is the folder that
    /// failures of the working folder name (the windows show their working folder; the
    /// companion, whose working folder is private, shows the temporary folder it is in).
    MapSession(const Workspace &workspace, const ArchiveAccess &archive,
               const QString &shownWorkFolder);

    enum class SizeCheck { RequireAccepted, AnySize };

    /// Forgets the loaded map, the picture, the colour table and the history, and deletes
    /// the working files (creating the folder if needed).
    [[nodiscard]] Status clear();
    /// Deletes the working files left over from a run that ended, creating the folder if
    /// needed; the sentence names the working folder itself.
    [[nodiscard]] Status clearWorkingFolder() const;
    /// Deletes the working files and the folder when nothing else is in it (the program ends).
    [[nodiscard]] Status removeWorkingFiles() const;

    /// Opens `map`: clears the working folder, copies the map into it, extracts its scenario and reads its
    /// size. Status texts: "Loading Map...", "Location \"DIM \" region.", "Checking
    /// dimension...". With RequireAccepted a size other than 64/96/128/192/256 each way
    /// fails (kind UnsupportedSize); size() holds the size read even then.
    [[nodiscard]] Status open(const QString &map, const StatusFn &status = {},
                              SizeCheck check = SizeCheck::RequireAccepted);

    bool isOpen() const { return m_open; }
    /// The map as the user chose it; empty before the first open. A failed open keeps the
    /// map opened before.
    const QString &mapPath() const { return m_map; }
    /// The size of the map opened last; an open refused for its size sets it too.
    scenario::MapSize size() const { return m_size; }
    /// The same as fields, for windows that show them as their own.
    const qint16 &width() const { return m_size.width; }
    const qint16 &height() const { return m_size.height; }
    /// Fails (kind UnsupportedSize) unless size() is 64, 96, 128, 192 or 256 tiles each way.
    [[nodiscard]] Status sizeAccepted() const;

    /// The tileset of the working scenario as it is now (see tileset::current); failures
    /// name `shownName`, by default the map.
    [[nodiscard]] Result<tileset::TilesetByte> tileset(const QString &shownName = {}) const;
    /// Writes tileset `number` (0..7), one step "Change Tileset". With `expectedPosition`
    /// >= 0 the "ERA " section must still be where it was read (the file may have been
    /// replaced meanwhile).
    [[nodiscard]] Status applyTileset(int number, qint32 expectedPosition = -1);
    /// Reads the working scenario's terrain; failures name `shownName`.
    [[nodiscard]] Status readTileMap(const QString &shownName, terrain::TileMap *map,
                                     terrain::ShortTiles shortTiles = terrain::ShortTiles::Shown) const;

    // The document --------------------------------------------------------------------

    /// Keeps a history of up to `budget` bytes from now on (0: none, the default: nothing
    /// can be undone and no step reads the scenario twice).
    void keepHistory(qint64 budget = History::DefaultBudget);
    /// Called after every change with what it touched.
    void setObserver(Observer observer) { m_observer = std::move(observer); }

    /// The picture's map area; null until a picture is loaded.
    const picture::Pixels &picture() const { return m_picture; }
    /// The picture file as the user chose it; empty until a picture is loaded.
    const QString &picturePath() const { return m_picturePath; }
    const ColorTable &colorTable() const { return m_table; }

    /// How the picture was made from its file (the default until a picture is loaded).
    const PictureMaking &pictureMaking() const { return m_making; }

    /// Makes `prepared` (from picture::prepare of `path`, made as `making` says) the
    /// picture, its colours the colour table with every value "0": one step "Load Picture".
    void setPicture(const QString &path, picture::Prepared prepared, const PictureMaking &making = {});
    /// Makes `prepared`, made anew from the same file as `making` says, the picture, with
    /// `values` (one per colour; empty: every value "0"): one step named `stepName`
    /// ("Fit Picture", "Dither"). False, with nothing changed, when no picture is loaded or
    /// `values` does not have one value per colour.
    bool remakePicture(picture::Prepared prepared, const PictureMaking &making,
                       const QStringList &values, const QString &stepName);
    /// Colour `index`'s value as typed: successive typing in the same colour is one step
    /// "Type Value". False for an index out of range; the same text is no step.
    bool typeValue(int index, const QString &text);
    /// Colour `index`'s value chosen as a tile: one step "Pick Tile".
    bool pickTile(int index, quint16 value);
    /// Every value at once (one per colour, else false and nothing changes): one step named
    /// `stepName` ("Match Colours", "Import Colours"). The same values are no step.
    bool setValues(const QStringList &values, const QString &stepName);

    /// Names of the steps Undo and Redo would take; empty when there is none.
    QString undoName() const;
    QString redoName() const;
    /// Takes back the last step / makes the next one again. Fails, with nothing changed,
    /// when the working scenario no longer holds what the step left there.
    [[nodiscard]] Status undo();
    [[nodiscard]] Status redo();
    /// The working copy holds a change the map file does not have (see History).
    bool hasUnsavedWork() const;
    const History &history() const { return m_history; }

    /// Converts `picture` with the colour list (colour values) and the tile values the user
    /// typed for them (see convertScenario).
    [[nodiscard]] Status convert(const picture::Pixels &picture, const QList<qint32> &colors,
                                 const QStringList &replacements, const StatusFn &status = {});
    /// The same with tile values already read, one per colour.
    [[nodiscard]] Status convert(const picture::Pixels &picture, const QList<qint32> &colors,
                                 const QList<quint16> &tileValues, const StatusFn &status = {});

    /// Later conversions vary their tiles with `variety` (nullptr: they write the values as
    /// they are).
    void setVariety(std::shared_ptr<const terrain::TileVariety> variety) { m_variety = std::move(variety); }

    /// Saves to `target` (the map itself or another file); see saveMap. After a save the
    /// working copy is what the map file holds.
    [[nodiscard]] Status save(const QString &target, const std::function<void()> &afterStore = {});

    /// The working archive's entry names and count.
    [[nodiscard]] Status listEntries(QStringList *names, int *count) const;

private:
    [[nodiscard]] Status copyAndExtract(const QString &map, const StatusFn &say);
    /// Reads the size of the map being opened; the path becomes the session's only once
    /// the whole open has succeeded.
    [[nodiscard]] Status readSize(const QString &map, SizeCheck check, const StatusFn &say);
    [[nodiscard]] Status sizeAcceptedFor(const QString &map) const;
    /// A failure of the archive or the working folder, retold in the user's terms.
    [[nodiscard]] Failure inUserTerms(const Failure &failure, const QString &map) const;
    [[nodiscard]] Failure noMap() const;
    /// Converts with the session's scenario, map name and size filled in.
    [[nodiscard]] Status runConversion(ConversionInput input, const StatusFn &status);
    /// Runs `change` on the working scenario and keeps the bytes it changed as step `name`.
    [[nodiscard]] Status changeScenario(const QString &name, const std::function<Status()> &change);
    /// Writes one side of a scenario step's patches; fails, writing nothing, unless the file
    /// holds the other side now.
    [[nodiscard]] Status writePatches(const QList<BytePatch> &patches, bool undo);
    /// Restores one side of a step.
    [[nodiscard]] Status apply(const DocumentStep &step, bool undo);
    bool setValue(int index, const QString &text, const QString &stepName, bool merges);
    [[nodiscard]] Status moveInHistory(bool undo);
    void setPictureState(const PictureState &state);
    void replacePicture(const QString &path, picture::Prepared prepared,
                        const PictureMaking &making, const QStringList &values,
                        const QString &stepName);
    PictureState pictureState() const;
    void push(DocumentStep step, unsigned changes, int index = -1);
    void notify(unsigned changes, int index = -1) const;
    /// Forgets the picture, the table and the history.
    void resetDocument();

    Workspace m_workspace;
    const ArchiveAccess &m_archive;
    QString m_shownWorkFolder;
    QString m_map;
    scenario::MapSize m_size;
    bool m_open = false;
    std::shared_ptr<const terrain::TileVariety> m_variety;

    picture::Pixels m_picture;
    QString m_picturePath;
    PictureMaking m_making;
    ColorTable m_table;
    History m_history{0};
    bool m_keepHistory = false;
    /// The working scenario changed, since the last open or save, in a way the history
    /// does not hold (none is kept, or the change could not be read back).
    bool m_unrecordedChange = false;
    Observer m_observer;
};
