#pragma once

#include "core/common/Result.h"
#include "core/common/StatusFn.h"
#include "core/picture/Pixels.h"
#include "core/scenario/ScenarioFile.h"
#include "core/scenario/Tileset.h"
#include "core/scenario/Workspace.h"

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
class MapSession
{
public:
    /// `workspace` is where the working files live; `shownWorkFolder` is the folder that
    /// failures of the working folder name (the windows show their working folder; the
    /// companion, whose working folder is private, shows the temporary folder it is in).
    MapSession(const Workspace &workspace, const ArchiveAccess &archive,
               const QString &shownWorkFolder);

    enum class SizeCheck { RequireAccepted, AnySize };

    /// Forgets the loaded map and deletes the working files (creating the folder if needed).
    [[nodiscard]] Status clear();

    /// Opens `map`: clears the working folder, copies the map into it, extracts its scenario and reads its
    /// size. Status texts: "Loading Map...", "Location \"DIM \" region.", "Checking
    /// dimension...". With RequireAccepted a size other than 64/96/128/192/256 each way
    /// fails (kind UnsupportedSize); size() holds the size read even then.
    [[nodiscard]] Status open(const QString &map, const StatusFn &status = {},
                              SizeCheck check = SizeCheck::RequireAccepted);

    bool isOpen() const { return m_open; }
    /// The map as the user chose it; empty before the first open.
    const QString &mapPath() const { return m_map; }
    scenario::MapSize size() const { return m_size; }
    /// Fails (kind UnsupportedSize) unless size() is 64, 96, 128, 192 or 256 tiles each way.
    [[nodiscard]] Status sizeAccepted() const;
    const Workspace &workspace() const { return m_workspace; }

    /// The tileset of the working scenario as it is now (see tileset::current).
    [[nodiscard]] Result<tileset::TilesetByte> tileset() const;
    /// Writes tileset `number` (0..7). With `expectedPosition` >= 0 the "ERA " section must
    /// still be where it was read (the file may have been replaced meanwhile).
    [[nodiscard]] Status applyTileset(int number, qint32 expectedPosition = -1);

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

    /// Saves to `target` (the map itself or another file); see saveMap.
    [[nodiscard]] Status save(const QString &target, const std::function<void()> &afterStore = {});

    /// The working archive's entry names and count.
    [[nodiscard]] Status listEntries(QStringList *names, int *count) const;

private:
    [[nodiscard]] Status copyAndExtract(const QString &map, const StatusFn &say);
    [[nodiscard]] Status readSize(const QString &map, SizeCheck check, const StatusFn &say);
    /// A failure of the archive or the working folder, retold in the user's terms.
    [[nodiscard]] Failure inUserTerms(const Failure &failure, const QString &map) const;
    [[nodiscard]] Failure noMap() const;
    /// Converts with the session's scenario, map name and size filled in.
    [[nodiscard]] Status runConversion(ConversionInput input, const StatusFn &status);

    Workspace m_workspace;
    const ArchiveAccess &m_archive;
    QString m_shownWorkFolder;
    QString m_map;
    scenario::MapSize m_size;
    bool m_open = false;
    std::shared_ptr<const terrain::TileVariety> m_variety;
};
