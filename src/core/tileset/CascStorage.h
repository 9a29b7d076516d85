#pragma once

#include "core/common/Result.h"
#include "core/tileset/CascFormat.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace casc {

/// A Remastered installation's CASC storage, opened read-only: the active build's config,
/// the current index files, the encoding file's page table and the root's tileset lines.
/// Immutable once opened; files are read on request.
class CascStorage
{
public:
    /// The installation root that `folder` (a root or its "Data" folder) belongs to, or an
    /// empty string when it looks like neither.
    static QString installationRoot(const QString &folder);

    /// The storage of `folder`, opened once per session: the same folder again gives the
    /// same storage without reading its tables again. Failures (FailureKind::GameData) name
    /// `folder` and the file within it.
    [[nodiscard]] static Result<std::shared_ptr<const CascStorage>> open(const QString &folder);
    /// The storage of `folder` read afresh, outside the session's (for measurements).
    [[nodiscard]] static Result<std::shared_ptr<const CascStorage>> openFresh(const QString &folder);

    /// The content of the file the root calls `name` (any letter case, `/` or `\`), checked
    /// against its content key and size, or no value when the root does not list it.
    /// Only names under the folders `TileSet/` and `SD/TileSet/` are kept by open().
    [[nodiscard]] Result<std::optional<QByteArray>> read(const QString &name, qint64 cap) const;

    /// Up to ShownTilesetNames names the root holds under any "tileset" folder.
    QStringList tilesetFolderNames() const { return m_tilesetNames; }

private:
    CascStorage() = default;
    Status load();
    Status readIndexes();
    Result<QByteArray> readRecord(const IndexEntry &entry, const QString &what) const;
    Result<EncodingEntry> lookUp(const Key &ckey, const QString &what) const;
    Result<QByteArray> encodingRange(qint64 offset, qint64 length) const;
    Result<QByteArray> readContent(const Key &ckey, const QString &what, qint64 cap) const;
    Result<QByteArray> readText(const QString &path) const;
    Failure failure(const QString &path, const QString &problem) const;
    QString dataFile(int archive) const;

    QString m_folder;  ///< as the user named it, for messages
    QString m_root;    ///< the installation root
    QString m_data;    ///< its "Data" folder
    std::array<std::vector<IndexEntry>, BucketCount> m_index;
    IndexEntry m_encodingRecord;
    std::vector<BlteChunk> m_encodingChunks;
    QByteArray m_encodingWhole; ///< a single-chunk encoding file, decoded
    qint64 m_encodingSize = 0;
    EncodingTable m_encoding;
    QHash<QByteArray, Key> m_files;
    QStringList m_tilesetNames;
};

} // namespace casc
