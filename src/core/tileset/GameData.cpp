#include "core/tileset/GameData.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/BoundedFile.h"
#include "core/tileset/CascStorage.h"
#include "core/common/UserText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct GameDataText
{
    Q_DECLARE_TR_FUNCTIONS(GameData)
};

} // namespace

namespace terrain {

namespace {

// Far above any tileset file; a larger file is not one.
constexpr qint64 MaxTilesetFileSize = ArchiveAccess::DefaultMaxEntrySize;
// The game's archives run to a few hundred MiB; a larger file is not one.
constexpr qint64 MaxGameArchiveSize = qint64(4) << 30;

QString shown(const QString &path)
{
    return shownPath(path);
}

Status gameDataFailure(QString sentence)
{
    return Status::failure(FailureKind::GameData, std::move(sentence));
}

/// The entry of `dir` called `name` in any letter case, or an empty string.
QString findEntry(const QDir &dir, const QString &name, QDir::Filters filters)
{
    if (QFileInfo(dir.filePath(name)).exists())
        return dir.filePath(name);
    const QStringList entries = dir.entryList(filters | QDir::Hidden);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

bool holdsTilesetFiles(const QDir &dir)
{
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString &entry : entries)
        if (entry.endsWith(QLatin1String(".cv5"), Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

QString tilesetStem(int number)
{
    static const char *const stems[8] = {"badlands", "platform", "install", "ashworld",
                                         "jungle",   "desert",   "ice",     "twilight"};
    return QString::fromLatin1(stems[number & 7]);
}

Status GameData::locate(const QString &folder, GameData *gameData)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return gameDataFailure(GameDataText::tr("The game data folder \"%1\" does not exist.")
                                    .arg(shown(folder)));
    GameData found;
    found.m_folder = QFileInfo(folder).absoluteFilePath();
    // BrooDat.mpq first: the expansion's copy of a file replaces the original's.
    for (const char *archive : {"BrooDat.mpq", "StarDat.mpq"}) {
        const QString path = findEntry(dir, QString::fromLatin1(archive), QDir::Files);
        if (!path.isEmpty())
            found.m_sources.append({path, Kind::Archive});
    }
    if (!casc::CascStorage::installationRoot(folder).isEmpty())
        found.m_sources.append({folder, Kind::Storage});
    const QString sub = findEntry(dir, QStringLiteral("tileset"), QDir::Dirs | QDir::NoDotAndDotDot);
    if (!sub.isEmpty())
        found.m_sources.append({sub, Kind::Folder});
    else if (holdsTilesetFiles(dir))
        found.m_sources.append({found.m_folder, Kind::Folder});
    if (found.m_sources.isEmpty())
        return gameDataFailure(
            GameDataText::tr("The game data folder \"%1\" holds neither a Remastered installation, "
                        "StarDat.mpq, BrooDat.mpq nor a \"tileset\" folder. Choose the folder "
                        "the game is installed in.")
                .arg(shown(folder)));
    if (gameData)
        *gameData = std::move(found);
    return Status::success();
}

bool GameData::readFile(const ArchiveAccess &archives, const Source &source,
                        const QString &fileName, QByteArray *data, QString *problem) const
{
    if (source.kind == Kind::Storage)
        return readStored(source, fileName, data, problem);
    if (source.kind == Kind::Archive) {
        // A pipe or an unreadable file never reaches the archive worker.
        QFile probe;
        if (Status usable = boundedfile::open(probe, source.path, MaxGameArchiveSize,
                                              FailureKind::GameData);
            !usable) {
            *problem = GameDataText::tr("The game archive \"%1\" is not usable: %2.")
                           .arg(shown(source.path), usable.reason());
            return false;
        }
        const Status read = archives.readEntry(source.path, QStringLiteral("tileset\\") + fileName,
                                                data, MaxTilesetFileSize);
        // An archive without the entry is normal: the next place may hold it.
        if (!read.ok() && read.kind() != FailureKind::NoScenario)
            *problem = GameDataText::tr("The game archive \"%1\" is damaged or is not an archive, "
                                   "so the tileset file \"%2\" cannot be read from it.")
                           .arg(shown(source.path), fileName);
        return read.ok();
    }
    const QString path = findEntry(QDir(source.path), fileName, QDir::Files);
    if (path.isEmpty()) {
        // A folder that cannot be listed is not a folder without the file.
        if (const QFileInfo folder(source.path); !folder.isReadable() || !folder.isExecutable())
            *problem = GameDataText::tr("The tileset folder \"%1\" cannot be read (permission denied).")
                           .arg(shown(source.path));
        return false;
    }
    // Regular files only, within a size, opened without waiting: a pipe never blocks.
    Result<QByteArray> read = boundedfile::read(path, MaxTilesetFileSize, FailureKind::GameData);
    if (!read) {
        *problem = GameDataText::tr("The tileset file \"%1\" is not usable: %2.")
                       .arg(shown(path), read.reason());
        return false;
    }
    *data = std::move(*read);
    return true;
}

bool GameData::readStored(const Source &source, const QString &fileName, QByteArray *data,
                          QString *problem) const
{
    const auto storage = casc::CascStorage::open(source.path);
    if (!storage) {
        *problem = storage.reason();
        return false;
    }
    // Classic-resolution files only: other folders (HD2/, HD/, Carbot/) hold other formats.
    for (const char *folder : {"TileSet/", "SD/TileSet/"}) {
        auto read = (*storage)->read(QLatin1String(folder) + fileName, MaxTilesetFileSize);
        if (!read) {
            *problem = read.reason();
            return false;
        }
        if (read->has_value()) {
            *data = std::move(**read);
            return true;
        }
    }
    return false;
}

QString GameData::storedNames() const
{
    for (const Source &source : m_sources) {
        if (source.kind != Kind::Storage)
            continue;
        const auto storage = casc::CascStorage::open(source.path);
        if (!storage)
            return {};
        const QStringList names = (*storage)->tilesetFolderNames();
        return QLatin1Char(' ')
            + (names.isEmpty()
                   ? GameDataText::tr("Its storage holds nothing under a \"tileset\" folder.")
                   : GameDataText::tr("Under \"tileset\" folders its storage holds: %1.")
                         .arg(names.join(QStringLiteral(", "))));
    }
    return {};
}

QList<std::pair<GameData::Kind, QString>> GameData::sources() const
{
    QList<std::pair<Kind, QString>> out;
    for (const Source &source : m_sources)
        out.append({source.kind, source.path});
    return out;
}

Status GameData::readTileset(const ArchiveAccess &archives, int number,
                              TilesetFiles *files) const
{
    TilesetFiles read;
    read.stem = tilesetStem(number);
    read.origin = shown(m_folder);
    struct Wanted
    {
        QStringList names;
        QByteArray *data;
    };
    const QString &stem = read.stem;
    const Wanted wanted[] = {
        {{stem + ".cv5"}, &read.cv5},
        {{stem + ".vx4", stem + ".vx4ex"}, &read.vx4},
        {{stem + ".vr4"}, &read.vr4},
        {{stem + ".wpe"}, &read.wpe},
    };
    for (const Wanted &file : wanted) {
        bool found = false;
        for (const Source &source : m_sources) {
            for (const QString &name : file.names) {
                QString problem;
                found = readFile(archives, source, name, file.data, &problem);
                if (!problem.isEmpty())
                    return gameDataFailure(std::move(problem));
                if (found) {
                    read.wideVx4 = read.wideVx4 || name.endsWith(QLatin1String("ex"));
                    break;
                }
            }
            if (found)
                break;
        }
        if (!found)
            return gameDataFailure(
                GameDataText::tr("The game data folder \"%1\" has no tileset file \"%2\".")
                    .arg(shown(m_folder), file.names.constFirst())
                + storedNames());
    }
    if (files)
        *files = std::move(read);
    return Status::success();
}

} // namespace terrain
