#include "core/tileset/CascFormat.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace casc {

namespace {

Failure damaged(const QString &what) { return fail(FailureKind::GameData, what); }

// Deflate cannot shrink data more than this; a larger stated size is not a zlib chunk's.
constexpr qint64 MaxDeflateRatio = 1032;
constexpr qint64 IndexEntryBytes = 18;
constexpr qint64 IndexEntriesOffset = 0x28;
constexpr int OffsetBits = 30;

quint32 be32(const char *p) { return qFromBigEndian<quint32>(p); }
quint32 le32(const char *p) { return qFromLittleEndian<quint32>(p); }
qint64 be40(const char *p)
{
    return qint64(quint8(p[0])) << 32 | qint64(qFromBigEndian<quint32>(p + 1));
}

Key md5Of(QByteArrayView bytes)
{
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Md5);
    Key key;
    std::memcpy(key.data(), digest.constData(), key.size());
    return key;
}

Key keyAt(const char *p)
{
    Key key;
    std::memcpy(key.data(), p, key.size());
    return key;
}

QList<QByteArrayView> lines(QByteArrayView text)
{
    QList<QByteArrayView> out;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        out.append(line);
        start = end + 1;
    }
    return out;
}

QList<QByteArrayView> cells(QByteArrayView line)
{
    QList<QByteArrayView> out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype bar = line.indexOf('|', start);
        out.append(line.sliced(start, (bar < 0 ? line.size() : bar) - start));
        if (bar < 0)
            return out;
        start = bar + 1;
    }
}

Result<QByteArray> inflateChunk(QByteArrayView in, qint64 decodedSize, qint64 cap)
{
    QByteArray out(decodedSize >= 0 ? decodedSize : std::min<qint64>(cap, in.size() * 4 + 64),
                   Qt::Uninitialized);
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return damaged(CascStorageText::tr("zlib cannot start"));
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.data()));
    z.avail_in = uInt(in.size());
    int rc = Z_OK;
    qint64 produced = 0;
    for (;;) {
        z.next_out = reinterpret_cast<Bytef *>(out.data() + produced);
        z.avail_out = uInt(out.size() - produced);
        rc = inflate(&z, Z_FINISH);
        produced = out.size() - z.avail_out;
        if (rc == Z_STREAM_END || (rc != Z_BUF_ERROR && rc != Z_OK) || decodedSize >= 0
            || out.size() >= cap || z.avail_in == 0)
            break;
        out.resize(std::min<qint64>(cap, out.size() * 2)); // size unknown: grow to the bound
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END || z.avail_in != 0)
        return damaged(rc == Z_STREAM_END || rc == Z_BUF_ERROR || rc == Z_OK
                           ? CascStorageText::tr("a zlib chunk does not end where it should")
                           : CascStorageText::tr("a zlib chunk is corrupt"));
    if (decodedSize >= 0 && produced != decodedSize)
        return damaged(CascStorageText::tr("a chunk decodes to another size than stated"));
    out.truncate(produced);
    return out;
}

/// Whether "tileset" occurs in `path` in any letter case.
bool mentionsTileset(QByteArrayView path)
{
    static constexpr char Word[] = "tileset";
    constexpr qsizetype Length = sizeof(Word) - 1;
    for (qsizetype i = 0; i + Length <= path.size(); ++i) {
        qsizetype j = 0;
        while (j < Length && (path[i + j] | 0x20) == Word[j])
            ++j;
        if (j == Length)
            return true;
    }
    return false;
}

} // namespace

std::optional<Key> keyFromHex(QByteArrayView hex)
{
    if (hex.size() != 32)
        return std::nullopt;
    Key key;
    for (int i = 0; i < 16; ++i) {
        int v[2];
        for (int j = 0; j < 2; ++j) {
            const char c = hex[2 * i + j];
            v[j] = c >= '0' && c <= '9'   ? c - '0'
                   : c >= 'a' && c <= 'f' ? c - 'a' + 10
                   : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                          : -1;
            if (v[j] < 0)
                return std::nullopt;
        }
        key[size_t(i)] = quint8(v[0] << 4 | v[1]);
    }
    return key;
}

int bucketOf(const Key &ekey)
{
    quint8 x = 0;
    for (int i = 0; i < IndexKeyBytes; ++i)
        x ^= ekey[size_t(i)];
    return (x & 0x0F) ^ (x >> 4);
}

Result<Key> activeBuildKey(QByteArrayView text)
{
    const QList<QByteArrayView> all = lines(text);
    if (all.isEmpty())
        return damaged(CascStorageText::tr("it is empty"));
    const QList<QByteArrayView> names = cells(all.first());
    qsizetype active = -1, buildKey = -1;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArrayView name = names[i].first(names[i].indexOf('!') < 0 ? names[i].size()
                                                                           : names[i].indexOf('!'));
        if (name.compare("Active", Qt::CaseInsensitive) == 0)
            active = i;
        else if (name.compare("Build Key", Qt::CaseInsensitive) == 0)
            buildKey = i;
    }
    if (active < 0 || buildKey < 0)
        return damaged(CascStorageText::tr("it has no \"Active\" or no \"Build Key\" column"));
    for (qsizetype row = 1; row < all.size(); ++row) {
        const QList<QByteArrayView> values = cells(all[row]);
        if (values.size() <= std::max(active, buildKey) || values[active].trimmed() != "1")
            continue;
        if (const auto key = keyFromHex(values[buildKey].trimmed()))
            return *key;
        return damaged(CascStorageText::tr("the active build's key is not 32 hex digits"));
    }
    return damaged(CascStorageText::tr("no build in it is active (installed)"));
}

Result<BuildConfig> parseBuildConfig(QByteArrayView text)
{
    BuildConfig config;
    bool root = false, encoding = false;
    for (QByteArrayView line : lines(text)) {
        line = line.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (line.isEmpty() || line.startsWith('#') || eq < 0)
            continue;
        const QByteArrayView name = line.first(eq).trimmed();
        const QList<QByteArray> values = line.sliced(eq + 1).toByteArray().simplified().split(' ');
        const auto key = [&](int i) { return keyFromHex(values.value(i)); };
        if (name == "root" && key(0)) {
            config.rootKey = *key(0);
            root = true;
        } else if (name == "encoding" && key(0) && key(1)) {
            config.encodingKey = *key(0);
            config.encodingEKey = *key(1);
            encoding = true;
        } else if (name == "encoding-size") {
            bool ok = false;
            const qint64 size = values.value(0).toLongLong(&ok);
            if (ok && size >= 0)
                config.encodingSize = size;
        }
    }
    if (!root || !encoding)
        return damaged(CascStorageText::tr("it names no valid \"root\" or \"encoding\" key"));
    return config;
}

Result<std::vector<IndexEntry>> parseIndex(QByteArrayView bytes, int bucket)
{
    if (bytes.size() < IndexEntriesOffset)
        return damaged(CascStorageText::tr("it is too short for an index file"));
    const char *p = bytes.data();
    if (le32(p) != 16 || qFromLittleEndian<quint16>(p + 8) != 7)
        return damaged(CascStorageText::tr("its header is not that of an index file of version 7"));
    if (quint8(p[10]) != bucket)
        return damaged(CascStorageText::tr("it holds another bucket than its name says"));
    if (p[12] != 4 || p[13] != 5 || p[14] != IndexKeyBytes || p[15] != OffsetBits)
        return damaged(CascStorageText::tr("its entries have a layout Velmora does not read"));
    const qint64 length = le32(p + 0x20);
    if (length % IndexEntryBytes != 0 || length > bytes.size() - IndexEntriesOffset)
        return damaged(CascStorageText::tr("its entries run past its end"));
    std::vector<IndexEntry> entries;
    entries.reserve(size_t(length / IndexEntryBytes));
    for (qint64 at = IndexEntriesOffset; at < IndexEntriesOffset + length; at += IndexEntryBytes) {
        IndexEntry e;
        std::memcpy(e.key.data(), p + at, IndexKeyBytes);
        const qint64 location = be40(p + at + IndexKeyBytes);
        e.archive = quint16(location >> OffsetBits);
        e.offset = quint32(location & ((qint64(1) << OffsetBits) - 1));
        e.size = le32(p + at + IndexKeyBytes + 5);
        if (e.size > RecordHeaderBytes)
            entries.push_back(e);
    }
    const auto byKey = [](const IndexEntry &a, const IndexEntry &b) { return a.key < b.key; };
    if (!std::is_sorted(entries.begin(), entries.end(), byKey))
        std::stable_sort(entries.begin(), entries.end(), byKey);
    return entries;
}

const IndexEntry *findIndexEntry(const std::vector<IndexEntry> &entries, const Key &ekey)
{
    IndexEntry wanted;
    std::memcpy(wanted.key.data(), ekey.data(), IndexKeyBytes);
    const auto it = std::lower_bound(entries.begin(), entries.end(), wanted,
                                     [](const IndexEntry &a, const IndexEntry &b) { return a.key < b.key; });
    return it != entries.end() && it->key == wanted.key ? &*it : nullptr;
}

Result<std::vector<BlteChunk>> parseBlteHeader(QByteArrayView head, qint64 total)
{
    if (head.size() < 8 || std::memcmp(head.data(), "BLTE", 4) != 0)
        return damaged(CascStorageText::tr("the record does not start with \"BLTE\""));
    const qint64 headerSize = be32(head.data() + 4);
    if (headerSize == 0) {
        if (total < 9)
            return damaged(CascStorageText::tr("the record is empty"));
        return std::vector<BlteChunk>{{8, total - 8, 0, -1, std::nullopt}};
    }
    if (headerSize < 12 || headerSize > head.size() || quint8(head[8]) != 0x0F)
        return damaged(CascStorageText::tr("the record's chunk table is malformed"));
    const qint64 count = be32(head.data() + 8) & 0xFFFFFF;
    if (headerSize != 12 + 24 * count || count == 0)
        return damaged(CascStorageText::tr("the record's chunk table is malformed"));
    std::vector<BlteChunk> chunks;
    chunks.reserve(size_t(count));
    qint64 encoded = headerSize, decoded = 0;
    for (qint64 i = 0; i < count; ++i) {
        const char *c = head.data() + 12 + 24 * i;
        BlteChunk chunk{encoded, be32(c), decoded, be32(c + 4), keyAt(c + 8)};
        if (chunk.encodedSize < 1 || chunk.encodedSize > total - encoded)
            return damaged(CascStorageText::tr("the record's chunks run past its end"));
        // What no chunk of that many bytes can decode to, before anything is allocated.
        if (chunk.decodedSize > chunk.encodedSize * MaxDeflateRatio)
            return damaged(CascStorageText::tr("a chunk states a size its data cannot have"));
        encoded += chunk.encodedSize;
        decoded += chunk.decodedSize;
        chunks.push_back(chunk);
    }
    if (encoded != total)
        return damaged(CascStorageText::tr("the record's chunks do not fill it"));
    return chunks;
}

Result<QByteArray> decodeChunk(QByteArrayView encoded, const BlteChunk &chunk, qint64 cap)
{
    if (chunk.md5 && md5Of(encoded) != *chunk.md5)
        return damaged(CascStorageText::tr("a chunk does not match its checksum"));
    const qint64 stated = chunk.decodedSize;
    if (stated > cap)
        return damaged(CascStorageText::tr("a chunk is larger than any such file"));
    const QByteArrayView body = encoded.sliced(1);
    switch (encoded[0]) {
    case 'N':
        if (stated >= 0 && stated != body.size())
            return damaged(CascStorageText::tr("a chunk decodes to another size than stated"));
        if (body.size() > cap)
            return damaged(CascStorageText::tr("a chunk is larger than any such file"));
        return body.toByteArray();
    case 'Z':
        if (stated > body.size() * MaxDeflateRatio)
            return damaged(CascStorageText::tr("a chunk states a size its zlib data cannot have"));
        return inflateChunk(body, stated, std::min(cap, body.size() * MaxDeflateRatio));
    case 'E':
        return damaged(CascStorageText::tr("a part of it is encrypted, which Velmora does not read"));
    case 'F':
        return damaged(CascStorageText::tr("a part of it is nested (frame mode F), which Velmora does not read"));
    case '4':
        return damaged(CascStorageText::tr("a part of it is LZ4-compressed, which Velmora does not read"));
    default:
        return damaged(CascStorageText::tr("a chunk has an unknown mode"));
    }
}

Result<QByteArray> decodeBlte(QByteArrayView blte, qint64 expected, qint64 cap)
{
    if (expected > cap)
        return damaged(CascStorageText::tr("the file is larger than any such file"));
    auto chunks = parseBlteHeader(blte, blte.size());
    if (!chunks)
        return chunks.failure();
    const BlteChunk &last = chunks->back();
    if (expected >= 0 && last.decodedSize >= 0 && last.decodedOffset + last.decodedSize != expected)
        return damaged(CascStorageText::tr("its chunks decode to another size than the encoding table says"));
    if (chunks->size() == 1) {
        BlteChunk only = chunks->front();
        if (only.decodedSize < 0)
            only.decodedSize = expected;
        return decodeChunk(blte.sliced(only.encodedOffset, only.encodedSize), only, cap);
    }
    if (last.decodedOffset + last.decodedSize > cap)
        return damaged(CascStorageText::tr("the file is larger than any such file"));
    QByteArray out;
    out.reserve(last.decodedOffset + last.decodedSize);
    for (const BlteChunk &chunk : *chunks) {
        auto part = decodeChunk(blte.sliced(chunk.encodedOffset, chunk.encodedSize), chunk,
                                cap - out.size());
        if (!part)
            return part.failure();
        out.append(*part);
    }
    return out;
}

int EncodingTable::pageOf(const Key &ckey) const
{
    const auto it = std::upper_bound(firstKeys.begin(), firstKeys.end(), ckey);
    return it == firstKeys.begin() ? -1 : int(it - firstKeys.begin()) - 1;
}

Result<EncodingTable> parseEncodingHeader(QByteArrayView h, qint64 fileSize, qint64 *tableBytes)
{
    if (h.size() < EncodingHeaderBytes || h[0] != 'E' || h[1] != 'N' || h[2] != 1 || h[3] != 16
        || h[4] != 16)
        return damaged(CascStorageText::tr("its header is not that of an encoding file"));
    EncodingTable table;
    table.pageSize = qint64(qFromBigEndian<quint16>(h.data() + 5)) * 1024;
    const qint64 pageCount = be32(h.data() + 9);
    const qint64 especSize = be32(h.data() + 18);
    *tableBytes = especSize + pageCount * 32;
    table.especSize = especSize;
    table.pageCount = pageCount;
    table.pagesOffset = EncodingHeaderBytes + *tableBytes;
    if (table.pageSize == 0 || table.pagesOffset + pageCount * table.pageSize > fileSize)
        return damaged(CascStorageText::tr("its tables run past its end"));
    return table;
}

Status parseEncodingPageTable(QByteArrayView afterHeader, EncodingTable *table)
{
    if (afterHeader.size() != table->especSize + 32 * table->pageCount)
        return damaged(CascStorageText::tr("its page table is cut short"));
    table->firstKeys.reserve(size_t(table->pageCount));
    table->pageMd5s.reserve(size_t(table->pageCount));
    for (qint64 i = 0; i < table->pageCount; ++i) {
        const char *entry = afterHeader.data() + table->especSize + 32 * i;
        table->firstKeys.push_back(keyAt(entry));
        table->pageMd5s.push_back(keyAt(entry + 16));
    }
    if (!std::is_sorted(table->firstKeys.begin(), table->firstKeys.end()))
        return damaged(CascStorageText::tr("its page table is not in key order"));
    return Status::success();
}

std::optional<EncodingEntry> findInPage(QByteArrayView page, const Key &ckey)
{
    qsizetype at = 0;
    while (at + 22 <= page.size()) {
        const int keyCount = quint8(page[at]);
        if (keyCount == 0 || at + 22 + 16 * qsizetype(keyCount) > page.size())
            return std::nullopt;
        if (keyAt(page.data() + at + 6) == ckey)
            return EncodingEntry{be40(page.data() + at + 1), keyAt(page.data() + at + 22)};
        at += 22 + 16 * keyCount;
    }
    return std::nullopt;
}

RootScan scanRoot(QByteArrayView text, const QList<QByteArray> &prefixes)
{
    RootScan scan;
    qsizetype start = 0;
    QByteArray name;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = text.sliced(start, end - start);
        start = end + 1;
        const qsizetype bar = line.lastIndexOf('|');
        if (bar < 0)
            continue;
        QByteArrayView path = line.first(bar);
        if (const qsizetype colon = path.lastIndexOf(':'); colon >= 0)
            path = path.first(colon);
        // Only lines that can matter are normalised: most of the root is other graphics.
        if (!mentionsTileset(path))
            continue;
        name = path.toByteArray().toLower().replace('\\', '/');
        if (scan.tilesetNames.size() < ShownTilesetNames && name.contains("tileset/"))
            scan.tilesetNames.append(QString::fromUtf8(path.toByteArray()));
        for (const QByteArray &prefix : prefixes) {
            if (!name.startsWith(prefix))
                continue;
            QByteArrayView hex = line.sliced(bar + 1).trimmed();
            if (const auto key = keyFromHex(hex); key && !scan.files.contains(name))
                scan.files.insert(name, *key);
        }
    }
    return scan;
}

} // namespace casc
