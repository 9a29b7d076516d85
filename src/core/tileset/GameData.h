#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

class ArchiveAccess;

/// Terrain graphics read from the user's own game installation.
namespace terrain {

/// The file name stem of tileset `number` (masked with 7, as the game does): "badlands",
/// "platform", "install", "ashworld", "jungle", "desert", "ice", "twilight".
QString tilesetStem(int number);

/// The four files of one tileset as read, before any check of their contents.
struct TilesetFiles
{
    QByteArray cv5;
    QByteArray vx4;   ///< megatiles; 16-bit entries, or 32-bit ones when `wideVx4` is set
    bool wideVx4 = false;
    QByteArray vr4;
    QByteArray wpe;
    QString stem;     ///< "badlands", ...
    QString origin;   ///< where they came from, for messages: the folder or the archives
};

/// A game data folder: one holding StarDat.mpq and/or BrooDat.mpq, a Remastered
/// installation (its root or its "Data" folder, a CASC storage), one holding a "tileset"
/// sub-folder of extracted files, or that "tileset" folder itself. File names are matched
/// without regard to letter case.
class GameData
{
public:
    /// Finds where `folder` keeps the tileset files.
    /// @return A failure (FailureKind::GameData) naming the folder when it does not exist or
    ///         holds none of them.
    [[nodiscard]] static Status locate(const QString &folder, GameData *gameData);

    /// Reads the four files of tileset `number` (0..7 after masking with 7). Each file is
    /// taken from the first place that has it: BrooDat.mpq, StarDat.mpq, the Remastered
    /// storage (classic-resolution files: "TileSet/NAME", then "SD/TileSet/NAME"), then the
    /// "tileset" folder. "NAME.vx4ex" is read when there is no "NAME.vx4". The archives
    /// are read through `archives`.
    [[nodiscard]] Status readTileset(const ArchiveAccess &archives, int number,
                                      TilesetFiles *files) const;

    QString folder() const { return m_folder; }

    enum class Kind { Archive, Storage, Folder };
    /// What the folder holds, in the order files are looked for: each source's kind and path.
    QList<std::pair<Kind, QString>> sources() const;

private:
    struct Source
    {
        QString path;
        Kind kind = Kind::Folder;
    };
    bool readFile(const ArchiveAccess &archives, const Source &source, const QString &fileName,
                  QByteArray *data, QString *problem) const;
    bool readStored(const Source &source, const QString &fileName, QByteArray *data,
                    QString *problem) const;
    /// For a message: what the storage holds under "tileset" folders, when there is one.
    QString storedNames() const;

    QString m_folder;
    QList<Source> m_sources;
};

} // namespace terrain
