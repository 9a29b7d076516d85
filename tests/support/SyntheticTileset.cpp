#include "SyntheticTileset.h"

#include "TestSupport.h"

#include <QDir>
#include <QtEndian>

#include <algorithm>
#include <limits>

namespace testsupport {

namespace {

constexpr int Families = 4;
constexpr int MinitilesPerFamily = 6;

int clamp255(int v)
{
    return std::clamp(v, 0, 255);
}

QRgb familyColour(int family, int t)
{
    switch (family) {
    case 0: return qRgb(clamp255(40 + t), clamp255(90 + 2 * t), clamp255(30 + t));
    case 1: return qRgb(clamp255(110 + 2 * t), clamp255(80 + t), clamp255(40 + t / 2));
    case 2: return qRgb(clamp255(20 + t / 2), clamp255(60 + t), clamp255(140 + 2 * t));
    default: return qRgb(clamp255(90 + 2 * t), clamp255(90 + 2 * t), clamp255(95 + 2 * t));
    }
}

template <typename T>
void appendLe(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    out.append(bytes, sizeof(T));
}

} // namespace

SyntheticTileset SyntheticTileset::make(int groupCount)
{
    SyntheticTileset t;
    for (int i = 0; i < 256; ++i)
        t.palette[size_t(i)] = familyColour(i / 64, i % 64);
    // Minitile m belongs to family m % 4; the x term makes every one lopsided, so a
    // flip always shows.
    for (int m = 0; m < Families * MinitilesPerFamily; ++m) {
        std::array<quint8, 64> mini{};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                mini[size_t(y * 8 + x)] =
                    quint8((m % Families) * 64 + (x * 5 + y * 3 + m * 11 + (x * y) % 7) % 48);
        t.minitiles.push_back(mini);
    }
    // Megatile k draws family k % 4, flipping every other minitile.
    for (int k = 0; k < Families * 4; ++k) {
        std::array<quint32, 16> mega{};
        for (int i = 0; i < 16; ++i) {
            const int mini = k % Families + Families * ((k / Families + i) % MinitilesPerFamily);
            mega[size_t(i)] = quint32(mini << 1 | ((i + k) & 1));
        }
        t.megatiles.push_back(mega);
    }
    for (int g = 0; g < groupCount; ++g) {
        std::array<quint16, 16> group{};
        for (int e = 0; e < 16; ++e)
            group[size_t(e)] = quint16(g % Families + Families * (e % 4));
        t.groups.push_back(group);
    }
    return t;
}

QByteArray SyntheticTileset::cv5() const
{
    QByteArray out;
    for (size_t g = 0; g < groups.size(); ++g) {
        appendLe<quint16>(out, quint16(g));      // terrain type
        appendLe<quint16>(out, 0x8001);          // flags
        for (int i = 0; i < 8; ++i)              // edge and piece fields
            appendLe<quint16>(out, 0xABCD);
        for (quint16 megatile : groups[g])
            appendLe<quint16>(out, megatile);
    }
    return out;
}

QByteArray SyntheticTileset::vx4(bool wide) const
{
    QByteArray out;
    for (const auto &mega : megatiles)
        for (quint32 entry : mega) {
            if (wide)
                appendLe<quint32>(out, entry);
            else
                appendLe<quint16>(out, quint16(entry));
        }
    return out;
}

QByteArray SyntheticTileset::vr4() const
{
    QByteArray out;
    for (const auto &mini : minitiles)
        out.append(reinterpret_cast<const char *>(mini.data()), 64);
    return out;
}

QByteArray SyntheticTileset::wpe() const
{
    QByteArray out;
    for (QRgb c : palette) {
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
        out.append('\x7f');
    }
    return out;
}

QRgb SyntheticTileset::pixel(quint16 value, int x, int y, bool *present) const
{
    *present = false;
    const size_t group = value >> 4;
    if (group >= groups.size())
        return 0;
    const size_t mega = groups[group][value & 15];
    if (mega >= megatiles.size())
        return 0;
    for (quint32 entry : megatiles[mega])
        if ((entry >> 1) >= minitiles.size())
            return 0;
    *present = true;
    const quint32 entry = megatiles[mega][size_t((y / 8) * 4 + x / 8)];
    const int u = (entry & 1) ? 7 - x % 8 : x % 8;
    return palette[minitiles[entry >> 1][size_t((y % 8) * 8 + u)]];
}

std::map<quint16, terrain::Lab> SyntheticTileset::referenceCandidates(
    const std::vector<quint16> &terrainTypes, const QSet<int> &groupsUsed) const
{
    std::map<quint16, terrain::Lab> out;
    for (size_t g = 0; g < groups.size(); ++g) {
        const int type = terrainTypes.empty() ? int(g) : terrainTypes[g];
        if (type <= 1 || (!groupsUsed.isEmpty() && !groupsUsed.contains(int(g))))
            continue;
        for (int e = 0; e < 16; ++e) {
            const auto value = quint16(g * 16 + e);
            if (groups[g][size_t(e)] == 0)
                continue;
            double sum[3] = {0, 0, 0};
            bool present = true;
            for (int y = 0; y < 32 && present; ++y)
                for (int x = 0; x < 32 && present; ++x) {
                    const QRgb c = pixel(value, x, y, &present);
                    sum[0] += qRed(c);
                    sum[1] += qGreen(c);
                    sum[2] += qBlue(c);
                }
            if (present)
                out[value] = terrain::labOf(sum[0] / 1024, sum[1] / 1024, sum[2] / 1024);
        }
    }
    return out;
}

std::optional<quint16> SyntheticTileset::referenceNearest(
    const std::map<quint16, terrain::Lab> &candidates, qint32 color)
{
    const terrain::Lab query =
        terrain::labOf(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
    std::optional<quint16> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const auto &[value, lab] : candidates) // ascending: a tie keeps the lower value
        if (const double d = terrain::distanceSquared(lab, query); d < bestDistance) {
            bestDistance = d;
            best = value;
        }
    return best;
}

void SyntheticTileset::writeFolder(const QString &folder, const QString &stem, bool wide) const
{
    QDir().mkpath(folder);
    const QDir dir(folder);
    writeFile(dir.filePath(stem + ".cv5"), cv5());
    writeFile(dir.filePath(stem + (wide ? ".vx4ex" : ".vx4")), vx4(wide));
    writeFile(dir.filePath(stem + ".vr4"), vr4());
    writeFile(dir.filePath(stem + ".wpe"), wpe());
}

QList<MpqEntry> SyntheticTileset::entries(const QString &stem, bool wide) const
{
    const QByteArray base = "tileset\\" + stem.toLatin1();
    return {{base + ".cv5", cv5()},
            {base + (wide ? ".vx4ex" : ".vx4"), vx4(wide)},
            {base + ".vr4", vr4()},
            {base + ".wpe", wpe()}};
}

} // namespace testsupport
