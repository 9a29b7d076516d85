#include "MpqBuilder.h"

#include "core/archive/worker/MpqCrypt.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <string_view>

namespace testsupport {

namespace {

constexpr quint32 Exists = 0x80000000u, Compress = 0x200u, Encrypted = 0x10000u,
                  SingleUnit = 0x01000000u, FreeSlot = 0xFFFFFFFFu;

std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

quint32 keyOf(const char *name)
{
    return mpqcrypt::hashName(name, mpqcrypt::HashKind::FileKey);
}

void crypt(QByteArray &bytes, quint32 key, bool encrypt)
{
    mpqcrypt::crypt(reinterpret_cast<unsigned char *>(bytes.data()), size_t(bytes.size()), key, encrypt);
}

QByteArray le32(quint32 value)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

/// One compressed unit, or the bytes as they are when compression does not pay.
QByteArray pack(const QByteArray &unit, MpqEntry::Packing packing)
{
    if (packing == MpqEntry::Packing::Stored)
        return unit;
    const QByteArray zlib = qCompress(unit, 9).mid(4); // drop Qt's length prefix
    const QByteArray packed = char(packing == MpqEntry::Packing::Lzma ? 0x12 : 0x02) + zlib;
    return packed.size() < unit.size() ? packed : unit;
}

/// The entry's bytes as stored, and its block flags.
QByteArray storedBytes(const MpqEntry &entry, quint32 sectorSize, quint32 *flags)
{
    const quint32 key = mpqcrypt::fileKey(view(entry.name));
    *flags = Exists | (entry.encrypted ? Encrypted : 0)
        | (entry.packing != MpqEntry::Packing::Stored ? Compress : 0)
        | (entry.singleUnit ? SingleUnit : 0);
    if (entry.singleUnit) {
        QByteArray unit = pack(entry.data, entry.packing);
        if (entry.encrypted)
            crypt(unit, key, true);
        return unit;
    }
    QList<QByteArray> sectors;
    for (qsizetype at = 0; at < entry.data.size(); at += sectorSize)
        sectors << pack(entry.data.mid(at, sectorSize), entry.packing);
    QByteArray table;
    QByteArray body;
    quint32 position = entry.packing == MpqEntry::Packing::Stored ? 0 : quint32(4 * (sectors.size() + 1));
    for (int i = 0; i < sectors.size(); ++i) {
        table += le32(position);
        QByteArray sector = sectors[i];
        if (entry.encrypted)
            crypt(sector, key + quint32(i), true);
        body += sector;
        position += quint32(sector.size());
    }
    if (entry.packing == MpqEntry::Packing::Stored)
        return body;
    table += le32(position);
    if (entry.encrypted)
        crypt(table, key - 1, true);
    return table + body;
}

void putSlot(QByteArray &hashTable, quint32 size, const QByteArray &name, quint32 block)
{
    quint32 index = mpqcrypt::hashName(view(name), mpqcrypt::HashKind::TableIndex) & (size - 1);
    while (qFromLittleEndian<quint32>(hashTable.constData() + index * 16 + 12) != FreeSlot)
        index = (index + 1) & (size - 1);
    char *slot = hashTable.data() + index * 16;
    qToLittleEndian(mpqcrypt::hashName(view(name), mpqcrypt::HashKind::NameA), slot);
    qToLittleEndian(mpqcrypt::hashName(view(name), mpqcrypt::HashKind::NameB), slot + 4);
    qToLittleEndian<quint32>(0, slot + 8);
    qToLittleEndian(block, slot + 12);
}

} // namespace

QByteArray buildMpq(const MpqLayout &layout)
{
    QList<MpqEntry> entries = layout.entries;
    if (layout.listfile) {
        QByteArray names;
        for (const MpqEntry &e : layout.entries)
            names += e.name + "\r\n";
        entries << MpqEntry{"(listfile)", names, MpqEntry::Packing::Zlib, true, false};
    }
    if (layout.attributes || layout.md5Attributes) {
        // Version, then CRC32s (flag 1) or MD5s (flag 4); its own is left zero.
        QByteArray attributes = le32(100) + le32(layout.attributes ? 1 : 4);
        for (const MpqEntry &e : entries)
            attributes += layout.attributes ? le32(crc32(e.data))
                                            : QCryptographicHash::hash(e.data, QCryptographicHash::Md5);
        attributes += QByteArray(layout.attributes ? 4 : 16, '\0');
        entries << MpqEntry{"(attributes)", attributes, MpqEntry::Packing::Zlib, true, false};
    }
    const quint32 sectorSize = 512u << layout.sectorShift;
    QByteArray data(32, '\0');
    QByteArray blocks;
    for (const MpqEntry &entry : entries) {
        quint32 flags = 0;
        const QByteArray stored = storedBytes(entry, sectorSize, &flags);
        blocks += le32(quint32(data.size())) + le32(quint32(stored.size()))
            + le32(quint32(entry.data.size())) + le32(flags);
        data += stored;
    }
    QByteArray hashes(int(layout.hashTableSize * 16), '\xFF');
    for (const auto &[name, block] : layout.leadingSlots)
        putSlot(hashes, layout.hashTableSize, name, quint32(block));
    for (int i = 0; i < entries.size(); ++i)
        putSlot(hashes, layout.hashTableSize, entries[i].name, quint32(i));
    crypt(hashes, keyOf("(hash table)"), true);
    crypt(blocks, keyOf("(block table)"), true);

    const quint32 hashAt = quint32(data.size());
    const quint32 blockAt = hashAt + quint32(hashes.size());
    QByteArray header = QByteArray("MPQ\x1A", 4) + le32(32) + le32(blockAt + quint32(blocks.size()));
    header += QByteArray("\0\0", 2);
    header += char(layout.sectorShift & 0xFF);
    header += char(layout.sectorShift >> 8);
    header += le32(hashAt) + le32(blockAt) + le32(layout.hashTableSize) + le32(quint32(entries.size()));
    data.replace(0, 32, header);
    return data + hashes + blocks;
}

std::optional<MpqEntryInfo> findMpqEntry(const QByteArray &archive, const QByteArray &name)
{
    if (archive.size() < 32 || !archive.startsWith("MPQ\x1A"))
        return std::nullopt;
    const auto field = [&](int at) { return qFromLittleEndian<quint32>(archive.constData() + at); };
    const quint32 hashAt = field(16), blockAt = field(20), hashCount = field(24), blockCount = field(28);
    if (hashCount == 0 || qint64(hashAt) + hashCount * 16ll > archive.size()
        || qint64(blockAt) + blockCount * 16ll > archive.size())
        return std::nullopt;
    QByteArray hashes = archive.mid(hashAt, hashCount * 16);
    QByteArray blocks = archive.mid(blockAt, blockCount * 16);
    crypt(hashes, keyOf("(hash table)"), false);
    crypt(blocks, keyOf("(block table)"), false);
    const quint32 a = mpqcrypt::hashName(view(name), mpqcrypt::HashKind::NameA);
    const quint32 b = mpqcrypt::hashName(view(name), mpqcrypt::HashKind::NameB);
    quint32 index = mpqcrypt::hashName(view(name), mpqcrypt::HashKind::TableIndex) % hashCount;
    for (quint32 probes = 0; probes < hashCount; ++probes, index = (index + 1) % hashCount) {
        const char *slot = hashes.constData() + index * 16;
        const quint32 block = qFromLittleEndian<quint32>(slot + 12);
        if (block == FreeSlot)
            return std::nullopt;
        if (qFromLittleEndian<quint32>(slot) != a || qFromLittleEndian<quint32>(slot + 4) != b
            || block >= blockCount)
            continue;
        const char *entry = blocks.constData() + block * 16;
        return MpqEntryInfo{qFromLittleEndian<quint32>(entry), qFromLittleEndian<quint32>(entry + 4),
                            qFromLittleEndian<quint32>(entry + 8), qFromLittleEndian<quint32>(entry + 12),
                            qFromLittleEndian<quint16>(slot + 8)};
    }
    return std::nullopt;
}

} // namespace testsupport
