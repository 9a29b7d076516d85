#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <optional>

namespace testsupport {

/// One entry of a test archive, written byte by byte by buildMpq().
struct MpqEntry
{
    enum class Packing {
        Stored, ///< sectors hold the bytes as they are
        Zlib,   ///< each sector zlib-compressed (compression byte 0x02)
        Lzma,   ///< sectors marked LZMA (0x12), which format-1 archives never hold
    };
    QByteArray name;
    QByteArray data;
    Packing packing = Packing::Zlib;
    bool encrypted = true;
    bool singleUnit = false;
};

struct MpqLayout
{
    QList<MpqEntry> entries;
    bool listfile = true;
    bool attributes = false;    ///< an "(attributes)" entry with every entry's CRC32
    bool md5Attributes = false; ///< the same with every entry's MD5 (and no CRC32)
    quint32 hashTableSize = 16; ///< a power of two above the entry count
    quint16 sectorShift = 3;    ///< sectors of 512 << shift bytes
    /// Hash slots placed ahead of the real ones in the probe chain of a name, each
    /// pointing at the block of another entry (by index in `entries`).
    QList<QPair<QByteArray, int>> leadingSlots;
};

/// A format-1 archive: header at 0, entry data, encrypted hash and block tables.
QByteArray buildMpq(const MpqLayout &layout);

/// What a format-1 archive (header at 0) says about an entry, read without the library.
struct MpqEntryInfo
{
    quint32 offset = 0;
    quint32 compressedSize = 0;
    quint32 size = 0;
    quint32 flags = 0;
    quint16 locale = 0;
};
std::optional<MpqEntryInfo> findMpqEntry(const QByteArray &archive, const QByteArray &name);

} // namespace testsupport
