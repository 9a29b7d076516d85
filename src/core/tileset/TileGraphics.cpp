#include "core/tileset/TileGraphics.h"

#include <QObject>
#include <QtEndian>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct TileGraphicsText
{
    Q_DECLARE_TR_FUNCTIONS(TileGraphics)
};

} // namespace

namespace terrain {

using picture::Argb;

namespace {

// Byte offset of the 16 megatile numbers inside a tile group: terrain type, flags and
// eight edge fields come first, 2 bytes each.
constexpr int MegatileListOffset = 20;
// A program this size keeps a few thousand tiles; past that the cache starts again.
constexpr int MaxCachedTiles = 4096;

QString damaged(const TilesetFiles &files, const QString &extension, const QString &why)
{
    return TileGraphicsText::tr("The tileset file \"%1.%2\" in the game data folder \"%3\" is damaged: "
                       "%4")
        .arg(files.stem, extension, files.origin, why);
}

/// A reason when `size` is not a positive whole number of `record`-byte records.
QString badRecordSize(qsizetype size, int record, const QString &what)
{
    if (size == 0)
        return TileGraphicsText::tr("it is empty.");
    if (size % record != 0)
        return TileGraphicsText::tr("its %1 bytes are not a whole number of %2-byte %3.")
            .arg(size)
            .arg(record)
            .arg(what);
    return {};
}

} // namespace

Status TileGraphics::create(TilesetFiles files, TileGraphics *graphics)
{
    struct Check
    {
        const QByteArray &data;
        QString extension;
        int record;
        QString what;
    };
    const Check checks[] = {
        {files.cv5, QStringLiteral("cv5"), GroupBytes, TileGraphicsText::tr("tile groups")},
        {files.vx4, files.wideVx4 ? QStringLiteral("vx4ex") : QStringLiteral("vx4"),
         files.wideVx4 ? 64 : 32, TileGraphicsText::tr("megatiles")},
        {files.vr4, QStringLiteral("vr4"), MinitileBytes, TileGraphicsText::tr("minitiles")},
    };
    for (const Check &check : checks)
        if (QString why = badRecordSize(check.data.size(), check.record, check.what);
            !why.isEmpty())
            return Status::failure(FailureKind::GameData, damaged(files, check.extension, why));
    if (files.wpe.size() != PaletteBytes)
        return Status::failure(FailureKind::GameData, damaged(
            files, QStringLiteral("wpe"),
            TileGraphicsText::tr("it holds %1 bytes instead of the palette's 1024.").arg(files.wpe.size())));

    TileGraphics made;
    const auto *p = reinterpret_cast<const uchar *>(files.wpe.constData());
    for (int i = 0; i < 256; ++i)
        made.m_palette[size_t(i)] = picture::argb(p[4 * i], p[4 * i + 1], p[4 * i + 2]);
    made.m_cv5 = std::move(files.cv5);
    made.m_vx4 = std::move(files.vx4);
    made.m_vr4 = std::move(files.vr4);
    made.m_wideVx4 = files.wideVx4;
    made.m_stem = files.stem;
    if (graphics)
        *graphics = std::move(made);
    return Status::success();
}

qint64 TileGraphics::megatileOf(quint16 value) const
{
    const qint64 at = qint64(value >> 4) * GroupBytes + MegatileListOffset + 2 * (value & 15);
    if (at + 2 > m_cv5.size())
        return -1;
    return qFromLittleEndian<quint16>(m_cv5.constData() + at);
}

int TileGraphics::terrainType(int group) const
{
    const qint64 at = qint64(group) * GroupBytes;
    if (group < 0 || at + 2 > m_cv5.size())
        return -1;
    return qFromLittleEndian<quint16>(m_cv5.constData() + at);
}

bool TileGraphics::colorSum(quint16 value, std::array<quint32, 3> *sum) const
{
    if (!isPresent(value))
        return false;
    const qint64 megatile = megatileOf(value);
    std::array<quint32, 3> total{};
    for (int i = 0; i < 16; ++i) {
        const auto *mini = reinterpret_cast<const uchar *>(m_vr4.constData())
            + qint64(minitileEntry(megatile, i) >> 1) * MinitileBytes;
        for (int p = 0; p < MinitileBytes; ++p) {
            const Argb c = m_palette[mini[p]];
            total[0] += quint32(picture::redOf(c));
            total[1] += quint32(picture::greenOf(c));
            total[2] += quint32(picture::blueOf(c));
        }
    }
    *sum = total;
    return true;
}

quint32 TileGraphics::minitileEntry(qint64 megatile, int i) const
{
    const char *at = m_vx4.constData() + megatile * megatileBytes();
    return m_wideVx4 ? qFromLittleEndian<quint32>(at + 4 * i)
                     : qFromLittleEndian<quint16>(at + 2 * i);
}

bool TileGraphics::isPresent(quint16 value) const
{
    const qint64 megatile = megatileOf(value);
    if (megatile < 0 || megatile >= megatileCount())
        return false;
    for (int i = 0; i < 16; ++i)
        if ((minitileEntry(megatile, i) >> 1) >= quint32(minitileCount()))
            return false;
    return true;
}

bool TileGraphics::drawTile(quint16 value, Argb *dst, qsizetype stride) const
{
    if (!isPresent(value)) {
        drawMissingTile(dst, stride);
        return false;
    }
    const qint64 megatile = megatileOf(value);
    for (int i = 0; i < 16; ++i) {
        const quint32 entry = minitileEntry(megatile, i);
        const auto *mini = reinterpret_cast<const uchar *>(m_vr4.constData())
            + qint64(entry >> 1) * MinitileBytes;
        const bool flipped = entry & 1;
        Argb *corner = dst + (i / 4) * 8 * stride + (i % 4) * 8;
        for (int y = 0; y < 8; ++y) {
            Argb *row = corner + y * stride;
            const uchar *src = mini + 8 * y;
            for (int x = 0; x < 8; ++x)
                row[x] = m_palette[src[flipped ? 7 - x : x]];
        }
    }
    return true;
}

void TileGraphics::drawMissingTile(Argb *dst, qsizetype stride)
{
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x)
            dst[y * stride + x] = ((x / 4 + y / 4) & 1) ? picture::argb(0, 0, 0) : picture::argb(255, 0, 255);
}

picture::Pixels TileGraphics::tile(quint16 value) const
{
    if (const auto found = m_tiles.constFind(value); found != m_tiles.constEnd())
        return *found;
    if (m_tiles.size() >= MaxCachedTiles)
        m_tiles.clear();
    picture::Pixels image(TileSize, TileSize);
    drawTile(value, image.row(0), TileSize);
    m_tiles.insert(value, image);
    return image;
}

} // namespace terrain
