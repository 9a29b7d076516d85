#include "core/session/MapSession.h"

#include "core/archive/ArchiveAccess.h"
#include "core/archive/ArchiveFailure.h"
#include "core/common/FileNames.h"
#include "core/common/UserText.h"
#include "core/convert/Conversion.h"
#include "core/scenario/MapSaver.h"
#include "core/scenario/Tileset.h"
#include "core/tileset/TileMap.h"

#include <QFileInfo>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct MapSessionText
{
    Q_DECLARE_TR_FUNCTIONS(MapSession)
};

/// The step of choosing a picture, whether it was used or refused.
QString loadPictureStep()
{
    return MapSessionText::tr("Load Picture");
}

} // namespace

MapSession::MapSession(const Workspace &workspace, const ArchiveAccess &archive,
                       const QString &shownWorkFolder)
    : m_workspace(workspace), m_archive(archive), m_shownWorkFolder(shownWorkFolder)
{
}

Failure MapSession::noMap() const
{
    return fail(FailureKind::NoMap, MapSessionText::tr("No map is loaded. Load a map first."));
}

Failure MapSession::inUserTerms(const Failure &failure, const QString &map) const
{
    // The archive layer named the working copy; the user knows the map.
    if (const auto problem = archiveProblemOf(failure.kind))
        return archiveFailure(*problem, map, Workspace::ScenarioEntry);
    switch (failure.kind) {
    case FailureKind::WorkingFolder:
        return fail(failure.kind,
                    MapSessionText::tr("The working folder \"%1\" cannot be used for \"%2\": its disk may "
                                "be full, or it may not be writable.")
                        .arg(shownPath(m_shownWorkFolder), shownPath(map)));
    default:
        return failure;
    }
}

Status MapSession::clearWorkingFolder() const
{
    return m_workspace.clear();
}

Status MapSession::removeWorkingFiles() const
{
    return m_workspace.removeFiles();
}

Status MapSession::clear()
{
    m_open = false;
    resetDocument();
    notify(PictureChanged | HistoryChanged);
    if (Status cleared = m_workspace.clear(); !cleared)
        return inUserTerms(cleared.failure(), m_map);
    return {};
}

Status MapSession::open(const QString &map, const StatusFn &status, SizeCheck check)
{
    const StatusFn say = [&status](const QString &text) {
        if (status)
            status(text);
    };
    if (Status cleared = clear(); !cleared)
        return cleared;
    if (Status copied = copyAndExtract(map, say); !copied)
        return copied;
    if (Status sized = readSize(map, check, say); !sized)
        return sized;
    m_map = map;
    m_open = true;
    return {};
}

Status MapSession::copyAndExtract(const QString &map, const StatusFn &say)
{
    const QFileInfo chosen(map);
    if (!chosen.exists()) {
        if (const QString note = filenames::unheldNamesNote(map); !note.isEmpty())
            return fail(FailureKind::MapUnreadable, MapSessionText::tr("The map \"%1\" does not exist (%2).")
                                                        .arg(shownPath(map), note));
        return fail(FailureKind::MapUnreadable,
                    MapSessionText::tr("The map \"%1\" does not exist.").arg(shownPath(map)));
    }
    if (!chosen.isFile())
        return fail(FailureKind::MapUnreadable,
                    MapSessionText::tr("\"%1\" is not a file.").arg(shownPath(map)));
    say(MapSessionText::tr("Loading Map..."));
    if (Status copied = m_workspace.copyIn(map); !copied)
        return copied.kind() == FailureKind::MapUnreadable ? copied
                                                           : inUserTerms(copied.failure(), map);
    if (Status extracted = m_workspace.extractScenario(m_archive); !extracted)
        return inUserTerms(extracted.failure(), map);
    return {};
}

Status MapSession::readSize(const QString &map, SizeCheck check, const StatusFn &say)
{
    say(MapSessionText::tr("Location \"DIM \" region."));
    const Result<ScenarioFile> file = ScenarioFile::read(m_workspace.scenarioPath(), map);
    if (!file)
        return inUserTerms(fail(FailureKind::WorkingFolder, file.reason()), map);
    const qint32 dim = file->findSection("DIM ");
    say(MapSessionText::tr("Checking dimension..."));
    const Result<scenario::MapSize> size = scenario::mapSize(*file, dim, map);
    if (!size)
        return size.failure();
    m_size = *size;
    return check == SizeCheck::RequireAccepted ? sizeAcceptedFor(map) : Status();
}

Status MapSession::sizeAccepted() const
{
    return sizeAcceptedFor(m_map);
}

Status MapSession::sizeAcceptedFor(const QString &map) const
{
    if (m_size.accepted())
        return {};
    return fail(FailureKind::UnsupportedSize,
                MapSessionText::tr("The map \"%1\" is %2 x %3 tiles; Velmora accepts only 64, 96, 128, "
                            "192 or 256 tiles each way.")
                    .arg(shownPath(map))
                    .arg(m_size.width)
                    .arg(m_size.height));
}

Result<tileset::TilesetByte> MapSession::tileset(const QString &shownName) const
{
    if (!m_open)
        return noMap();
    return tileset::current(m_workspace.scenarioPath(), shownName.isEmpty() ? m_map : shownName);
}

Status MapSession::applyTileset(int number, qint32 expectedPosition)
{
    if (!m_open)
        return noMap();
    return changeScenario(MapSessionText::tr("Change Tileset"), [&] {
        return tileset::apply(m_workspace.scenarioPath(), number, expectedPosition, m_map);
    });
}

Status MapSession::readTileMap(const QString &shownName, terrain::TileMap *map,
                               terrain::ShortTiles shortTiles) const
{
    if (!m_open)
        return noMap();
    return terrain::readTileMapFile(m_workspace.scenarioPath(), shownName, map, shortTiles);
}

Status MapSession::convert(const picture::Pixels &picture, const QList<qint32> &colors,
                           const QStringList &replacements, const StatusFn &status)
{
    ConversionInput input;
    input.picture = picture;
    input.colors = colors;
    input.replacements = replacements;
    return runConversion(std::move(input), status);
}

Status MapSession::convert(const picture::Pixels &picture, const QList<qint32> &colors,
                           const QList<quint16> &tileValues, const StatusFn &status)
{
    ConversionInput input;
    input.picture = picture;
    input.colors = colors;
    input.tileValues = tileValues;
    return runConversion(std::move(input), status);
}

Status MapSession::runConversion(ConversionInput input, const StatusFn &status)
{
    if (!m_open)
        return noMap();
    input.scenarioPath = m_workspace.scenarioPath();
    input.mapName = m_map;
    input.width = m_size.width;
    input.height = m_size.height;
    input.variety = m_variety;
    return changeScenario(MapSessionText::tr("Convert"), [&] { return convertScenario(input, status); });
}

Status MapSession::save(const QString &target, const std::function<void()> &afterStore)
{
    if (!m_open)
        return noMap();
    Status saved = saveMap(m_workspace, m_archive, target, afterStore);
    if (saved) {
        m_history.markSaved();
        m_unrecordedChange = false;
        notify(HistoryChanged);
        return saved;
    }
    if (saved.kind() == FailureKind::Output)
        return saved;
    if (saved.kind() == FailureKind::WorkingFolder || saved.kind() == FailureKind::ProtectedArchive)
        return inUserTerms(saved.failure(), m_map);
    // Anything else the archive reports while saving means the target was not written.
    return fail(FailureKind::Output,
                MapSessionText::tr("The map \"%1\" could not be saved; it was left as it was.")
                    .arg(shownPath(target)));
}

Status MapSession::listEntries(QStringList *names, int *count) const
{
    if (!m_open)
        return noMap();
    if (Status listed = m_archive.listEntries(m_workspace.archivePath(), names, count); !listed)
        return inUserTerms(listed.failure(), m_map);
    return {};
}

// ---------------------------------------------------------------------------------------
// The document

void MapSession::keepHistory(qint64 budget)
{
    m_keepHistory = budget > 0;
    m_history = History(budget);
    notify(HistoryChanged);
}

void MapSession::resetDocument()
{
    m_picture = {};
    m_picturePath.clear();
    m_making = {};
    m_pending = {};
    m_table = {};
    m_history.clear();
    m_unrecordedChange = false;
}

void MapSession::notify(unsigned changes, int index) const
{
    if (m_observer)
        m_observer(changes, index);
}

void MapSession::push(DocumentStep step, unsigned changes, int index)
{
    if (m_keepHistory)
        m_history.push(std::move(step));
    notify(changes | HistoryChanged, index);
}

bool MapSession::hasUnsavedWork() const
{
    return m_unrecordedChange || m_history.differsFromSaved();
}

PictureState MapSession::pictureState() const
{
    return {m_picture, m_picturePath, m_making, m_table.colors, m_table.counts,
            PackedTexts(m_table.values), m_pending};
}

void MapSession::setPictureState(const PictureState &state)
{
    m_picture = state.pixels;
    m_picturePath = state.path;
    m_making = state.making;
    m_table.colors = state.colors;
    m_table.counts = state.counts;
    m_table.values = state.values.unpacked();
    m_pending = state.pending;
}

void MapSession::setPicture(const QString &path, picture::Prepared prepared,
                            const PictureMaking &making)
{
    replacePicture(path, std::move(prepared), making, {}, loadPictureStep());
}

void MapSession::dropPicture(const PendingPicture &pending)
{
    const bool held = !m_picturePath.isEmpty();
    DocumentStep step;
    step.kind = DocumentStep::Kind::Picture;
    step.name = loadPictureStep();
    if (held && m_keepHistory)
        step.pictureBefore = pictureState();
    PictureState none;
    none.pending = pending;
    setPictureState(none);
    if (!held) {
        notify(PictureChanged);
        return;
    }
    if (m_keepHistory)
        step.pictureAfter = pictureState();
    push(std::move(step), PictureChanged);
}

bool MapSession::remakePicture(picture::Prepared prepared, const PictureMaking &making,
                               const QStringList &values, const QString &stepName)
{
    const QString path = pictureSource();
    if (path.isEmpty() || (!values.isEmpty() && values.size() != prepared.colors.size()))
        return false;
    replacePicture(path, std::move(prepared), making, values, stepName);
    return true;
}

void MapSession::replacePicture(const QString &path, picture::Prepared prepared,
                                const PictureMaking &making, const QStringList &values,
                                const QString &stepName)
{
    DocumentStep step;
    step.kind = DocumentStep::Kind::Picture;
    step.name = stepName;
    if (m_keepHistory)
        step.pictureBefore = pictureState();
    m_picture = std::move(prepared.pixels);
    m_picturePath = path;
    m_making = making;
    m_pending = {};
    m_table = ColorTable::fresh(prepared.colors, prepared.counts);
    if (!values.isEmpty())
        m_table.values = values;
    if (m_keepHistory)
        step.pictureAfter = pictureState();
    push(std::move(step), PictureChanged);
}

bool MapSession::typeValue(int index, const QString &text)
{
    return setValue(index, text, MapSessionText::tr("Type Value"), true);
}

bool MapSession::pickTile(int index, quint16 value)
{
    return setValue(index, QString::number(value), MapSessionText::tr("Pick Tile"), false);
}

bool MapSession::setValue(int index, const QString &text, const QString &stepName, bool merges)
{
    if (index < 0 || index >= m_table.size())
        return false;
    if (m_table.values.at(index) == text)
        return true;
    DocumentStep step;
    step.name = stepName;
    step.merges = merges;
    step.index = index;
    step.before = m_table.values.at(index);
    step.after = text;
    m_table.values[index] = text;
    push(std::move(step), ValueChanged, index);
    return true;
}

bool MapSession::setValues(const QStringList &values, const QString &stepName)
{
    if (values.size() != m_table.size())
        return false;
    if (values == m_table.values)
        return true;
    DocumentStep step;
    step.kind = DocumentStep::Kind::Values;
    step.name = stepName;
    if (m_keepHistory) {
        step.valuesBefore = PackedTexts(m_table.values);
        step.valuesAfter = PackedTexts(values);
    }
    m_table.values = values;
    push(std::move(step), ValuesChanged);
    return true;
}

Status MapSession::changeScenario(const QString &name, const std::function<Status()> &change)
{
    const QString path = m_workspace.scenarioPath();
    const Result<ScenarioFile> before =
        m_keepHistory ? ScenarioFile::read(path, m_map) : Result<ScenarioFile>(ScenarioFile());
    if (Status changed = change(); !changed)
        return changed;
    const Result<ScenarioFile> after =
        m_keepHistory && before ? ScenarioFile::read(path, m_map) : Result<ScenarioFile>(ScenarioFile());
    DocumentStep step;
    step.kind = DocumentStep::Kind::Scenario;
    step.name = name;
    if (!m_keepHistory || !before || !after || after->size() != before->size()) {
        // What the change wrote cannot be known: nothing before it can be restored, and
        // the map file differs until the next save.
        m_history.clear();
        m_unrecordedChange = true;
        notify(ScenarioChanged | HistoryChanged);
        return {};
    }
    step.patches = changedRuns(before->bytes(), after->bytes());
    push(std::move(step), ScenarioChanged);
    return {};
}

Status MapSession::writePatches(const QList<BytePatch> &patches, bool undo)
{
    const QString path = m_workspace.scenarioPath();
    const Result<ScenarioFile> now = ScenarioFile::read(path, m_map);
    if (!now)
        return inUserTerms(fail(FailureKind::WorkingFolder, now.reason()), m_map);
    for (const BytePatch &patch : patches) {
        const QByteArray &expected = undo ? patch.after : patch.before;
        if (now->bytes().mid(patch.offset, expected.size()) != expected)
            return fail(FailureKind::BadScenario,
                        MapSessionText::tr("The working copy of \"%1\" was changed outside Velmora; "
                                    "the step cannot be taken back. Load the map again.")
                            .arg(shownPath(m_map)));
    }
    ScenarioPatcher patcher;
    if (Status opened = patcher.open(path, now->size(), m_map); !opened)
        return opened;
    for (const BytePatch &patch : patches)
        if (Status written = patcher.write(patch.offset, undo ? patch.before : patch.after); !written)
            return written;
    return patcher.finish();
}

Status MapSession::apply(const DocumentStep &step, bool undo)
{
    switch (step.kind) {
    case DocumentStep::Kind::Value:
        if (step.index < 0 || step.index >= m_table.size())
            return fail(FailureKind::Unspecified, MapSessionText::tr("The colour list changed."));
        m_table.values[step.index] = undo ? step.before : step.after;
        notify(ValueChanged, step.index);
        return {};
    case DocumentStep::Kind::Values:
        m_table.values = (undo ? step.valuesBefore : step.valuesAfter).unpacked();
        notify(ValuesChanged);
        return {};
    case DocumentStep::Kind::Picture:
        setPictureState(undo ? step.pictureBefore : step.pictureAfter);
        notify(PictureChanged);
        return {};
    case DocumentStep::Kind::Scenario:
        if (!m_open)
            return noMap();
        if (Status written = writePatches(step.patches, undo); !written)
            return written;
        notify(ScenarioChanged);
        return {};
    }
    return {};
}

QString MapSession::undoName() const
{
    return m_history.canUndo() ? m_history.undoStep().name : QString();
}

QString MapSession::redoName() const
{
    return m_history.canRedo() ? m_history.redoStep().name : QString();
}

Status MapSession::undo()
{
    return moveInHistory(true);
}

Status MapSession::redo()
{
    return moveInHistory(false);
}

Status MapSession::moveInHistory(bool undo)
{
    if (undo ? !m_history.canUndo() : !m_history.canRedo())
        return {};
    if (Status applied = apply(undo ? m_history.undoStep() : m_history.redoStep(), undo); !applied)
        return applied;
    if (undo)
        m_history.stepBack();
    else
        m_history.stepForward();
    notify(HistoryChanged);
    return {};
}
