#include "core/session/MapSession.h"

#include "core/archive/ArchiveAccess.h"
#include "core/archive/ArchiveFailure.h"
#include "core/common/UserText.h"
#include "core/convert/Conversion.h"
#include "core/scenario/MapSaver.h"
#include "core/scenario/Tileset.h"

#include <QFileInfo>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct MapSessionText
{
    Q_DECLARE_TR_FUNCTIONS(MapSession)
};

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

Status MapSession::clear()
{
    m_open = false;
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
    m_size = {};
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
    if (!chosen.exists())
        return fail(FailureKind::MapUnreadable,
                    MapSessionText::tr("The map \"%1\" does not exist.").arg(shownPath(map)));
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
    m_map = map;
    return check == SizeCheck::RequireAccepted ? sizeAccepted() : Status();
}

Status MapSession::sizeAccepted() const
{
    if (m_size.accepted())
        return {};
    return fail(FailureKind::UnsupportedSize,
                MapSessionText::tr("The map \"%1\" is %2 x %3 tiles; Velmora accepts only 64, 96, 128, "
                            "192 or 256 tiles each way.")
                    .arg(shownPath(m_map))
                    .arg(m_size.width)
                    .arg(m_size.height));
}

Result<tileset::TilesetByte> MapSession::tileset() const
{
    if (!m_open)
        return noMap();
    return tileset::current(m_workspace.scenarioPath(), m_map);
}

Status MapSession::applyTileset(int number, qint32 expectedPosition)
{
    if (!m_open)
        return noMap();
    return tileset::apply(m_workspace.scenarioPath(), number, expectedPosition, m_map);
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
    return convertScenario(input, status);
}

Status MapSession::save(const QString &target, const std::function<void()> &afterStore)
{
    if (!m_open)
        return noMap();
    Status saved = saveMap(m_workspace, m_archive, target, afterStore);
    if (saved || saved.kind() == FailureKind::Output)
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
