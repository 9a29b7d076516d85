#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace testsupport {

struct SyntheticTileset;

/// A made-up Remastered installation (a CASC storage), written from the format's public
/// description alone, independently of the program's reader.
struct CascBuilder
{
    enum class Layout {
        Plain,     ///< one "N" chunk, no chunk table
        Mixed,     ///< a chunk table: "N", "Z", "N" chunks
        Zlib,      ///< a chunk table of one "Z" chunk
        Encrypted, ///< a chunk table whose second chunk is "E"
    };
    struct File
    {
        QString name; ///< as the root lists it (may carry ":LOCALE", `\`, any letter case)
        QByteArray content;
        Layout layout = Layout::Plain;
    };
    /// Where a file's record landed.
    struct Placed
    {
        int archive = 0;
        qint64 offset = 0; ///< of the 30-byte record header in the data file
        qint64 size = 0;   ///< the record's size, header included
    };

    QList<File> files;
    /// Made-up entries beside the real ones, for a storage the size of the game's.
    int fillerIndexEntries = 0; ///< per bucket
    int fillerEncodingEntries = 0;
    int fillerRootLines = 0;
    QSet<QString> notIndexed;   ///< files whose index entry is left out
    bool activeBuild = true;    ///< .build.info marks a build active
    bool configMissing = false; ///< .build.info names a key without a config file

    /// The four files of `tileset` as `folder + stem + ext` ("TileSet/"): the colour table in
    /// one "N" chunk, the megatiles in "N"+"Z"+"N" chunks, the minitiles in one "Z" chunk.
    static QList<File> tilesetFiles(const SyntheticTileset &tileset, const QString &folder,
                                    const QString &stem, bool wide = false);

    /// Writes the installation at `root` (.build.info, Data/config, Data/data with 16
    /// current index files, a stale older one, data.000 and data.001).
    void build(const QString &root);

    /// Where each file went (by name; also "root" and "encoding").
    QHash<QString, Placed> placed;
    QString dataFile(const QString &root, int archive) const;
};

} // namespace testsupport
