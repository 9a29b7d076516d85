#include "core/tileset/TerrainSource.h"

#include "core/archive/ArchiveAccess.h"
#include "core/common/UserText.h"
#include "core/settings/modINI.h"
#include "core/tileset/GameData.h"
#include "core/tileset/TileGraphics.h"

#include <QObject>
#include <QUrl>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct TerrainSourceText
{
    Q_DECLARE_TR_FUNCTIONS(TerrainSource)
};

} // namespace

namespace terrain {

namespace {

const QString Section = QStringLiteral("Settings");
const QString Key = QStringLiteral("GameData");
// The settings file keeps at most this many characters of a value.
constexpr int MaxStoredLength = 127;

} // namespace

QString gameDataFolder(const QString &chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    return qEnvironmentVariable(GameDataVariable);
}

QString storedGameDataFolder(const QString &configFile)
{
    const QString stored = modINI::ReadIniValue(Section, Key, QString(), configFile);
    return gameDataFolder(QUrl::fromPercentEncoding(stored.toLatin1()));
}

Status storeGameDataFolder(const QString &configFile, const QString &folder)
{
    // Plain ASCII paths stay readable in the file; anything else is percent-encoded.
    const QString stored =
        QString::fromLatin1(QUrl::toPercentEncoding(folder, "/\\:()_-.~ !$&'+,;=[]@"));
    if (stored.size() > MaxStoredLength)
        return Status::failure(FailureKind::Settings,
                               TerrainSourceText::tr("The path of the game data folder \"%1\" is too long "
                                           "to be kept in the settings file.")
                                   .arg(shownPath(folder)));
    if (!modINI::WriteIniValue(Section, Key, stored, configFile))
        return Status::failure(FailureKind::Settings,
                               TerrainSourceText::tr("The settings file \"%1\" cannot be written.")
                                   .arg(shownPath(configFile)));
    return Status::success();
}

Result<std::shared_ptr<const TileGraphics>> loadTileGraphics(const ArchiveAccess &archives,
                                                             const QString &folder, int tileset)
{
    if (folder.isEmpty())
        return fail(FailureKind::GameData,
                    TerrainSourceText::tr("No game data folder is set: terrain graphics come from the "
                                "folder the game is installed in."));
    GameData data;
    if (Status located = GameData::locate(folder, &data); !located)
        return located.failure();
    TilesetFiles files;
    if (Status read = data.readTileset(archives, tileset, &files); !read)
        return read.failure();
    auto graphics = std::make_shared<TileGraphics>();
    if (Status made = TileGraphics::create(std::move(files), graphics.get()); !made)
        return made.failure();
    return std::shared_ptr<const TileGraphics>(std::move(graphics));
}

Result<TileMap> readMapTerrain(const ArchiveAccess &archives, const QString &mapPath)
{
    QByteArray scenario;
    if (Status read = archives.readEntry(mapPath, QStringLiteral("staredit\\scenario.chk"),
                                         &scenario);
        !read)
        return read.failure();
    TileMap map;
    if (Status parsed = readTileMap(scenario, shownPath(mapPath), &map); !parsed)
        return parsed.failure();
    return map;
}

} // namespace terrain
