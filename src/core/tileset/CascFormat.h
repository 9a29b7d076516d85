#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QByteArrayView>
#include <QHash>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

/// The tables of a CASC storage (the Remastered edition's data), parsed from bytes in
/// memory. Every size and count is checked against the bytes that hold it. A failure's
/// sentence says what is wrong with the bytes; the caller adds which file held them.
/// The storage reader's sentences, in one translation context.
struct CascStorageText
{
    Q_DECLARE_TR_FUNCTIONS(CascStorage)
};

namespace casc {

using Key = std::array<quint8, 16>;

/// Bytes of a key an index file keeps.
inline constexpr int IndexKeyBytes = 9;
inline constexpr int BucketCount = 16;
/// The header before each file's encoded bytes in a data file.
inline constexpr qint64 RecordHeaderBytes = 30;
/// Largest decoded file (root, encoding) read; the game's are a few MiB.
inline constexpr qint64 MaxFileBytes = qint64(128) << 20;
/// Largest .build.info or build config read.
inline constexpr qint64 MaxTextBytes = qint64(1) << 20;
/// Largest index file read (the game's hold well under one MiB each).
inline constexpr qint64 MaxIndexBytes = qint64(64) << 20;

std::optional<Key> keyFromHex(QByteArrayView hex);
/// The bucket (index file) of an encoded key, from its first nine bytes.
int bucketOf(const Key &ekey);

/// The "Build Key" of the first row of .build.info whose "Active" is 1.
Result<Key> activeBuildKey(QByteArrayView text);

struct BuildConfig
{
    Key rootKey{};
    Key encodingKey{};  ///< content key
    Key encodingEKey{}; ///< encoded key
    std::optional<qint64> encodingSize; ///< decoded size, when the config states it
};
Result<BuildConfig> parseBuildConfig(QByteArrayView text);

struct IndexEntry
{
    std::array<quint8, IndexKeyBytes> key{};
    quint16 archive = 0;
    quint32 offset = 0;
    quint32 size = 0; ///< record header included
};
/// The entries of an index file of `bucket`, sorted by key.
Result<std::vector<IndexEntry>> parseIndex(QByteArrayView bytes, int bucket);
const IndexEntry *findIndexEntry(const std::vector<IndexEntry> &entries, const Key &ekey);

struct BlteChunk
{
    qint64 encodedOffset = 0; ///< from the start of the BLTE bytes
    qint64 encodedSize = 0;
    qint64 decodedOffset = 0;
    qint64 decodedSize = -1; ///< -1: a single chunk, size unknown
    std::optional<Key> md5;
};
/// The chunks of BLTE bytes; `head` holds at least the header, `total` is the whole size.
Result<std::vector<BlteChunk>> parseBlteHeader(QByteArrayView head, qint64 total);
/// One chunk's bytes (mode byte first) decoded; `cap` bounds a size the chunk does not state.
Result<QByteArray> decodeChunk(QByteArrayView encoded, const BlteChunk &chunk, qint64 cap);
/// A whole BLTE file decoded, every chunk's checksum and size checked; `expected` (-1: not
/// known) is the decoded size, `cap` its bound.
Result<QByteArray> decodeBlte(QByteArrayView blte, qint64 expected, qint64 cap);

/// The encoding file's header and page table.
struct EncodingTable
{
    qint64 pageSize = 0;
    qint64 pagesOffset = 0;
    std::vector<Key> firstKeys;
    std::vector<Key> pageMd5s;
    qint64 especSize = 0;
    qint64 pageCount = 0;

    /// The page that may hold `ckey`, or -1.
    int pageOf(const Key &ckey) const;
};
inline constexpr qint64 EncodingHeaderBytes = 22;
/// Reads the header (first EncodingHeaderBytes bytes); `tableBytes` receives how many bytes
/// after the header the page table takes (strings included).
Result<EncodingTable> parseEncodingHeader(QByteArrayView header, qint64 fileSize,
                                          qint64 *tableBytes);
/// Fills the page table from the bytes after the header.
Status parseEncodingPageTable(QByteArrayView afterHeader, EncodingTable *table);

struct EncodingEntry
{
    qint64 contentSize = 0;
    Key ekey{};
};
/// The entry of `ckey` in the page (already checked against its checksum).
std::optional<EncodingEntry> findInPage(QByteArrayView page, const Key &ckey);

/// The lines of the root under the given folders, names normalised (lower case, `/`,
/// without a ":LOCALE" suffix), and the first names under any "tileset/" folder.
struct RootScan
{
    QHash<QByteArray, Key> files;
    QStringList tilesetNames;
};
/// Keeps the lines whose normalised name starts with one of `prefixes` (lower case).
RootScan scanRoot(QByteArrayView text, const QList<QByteArray> &prefixes);
/// How many names under "tileset/" folders RootScan keeps for messages.
inline constexpr int ShownTilesetNames = 5;

} // namespace casc
