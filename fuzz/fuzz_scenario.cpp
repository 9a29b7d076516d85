// Fuzzes the scenario-file reads: section search, map size, tileset byte and the tile
// sections' bounds, on arbitrary bytes.
#include "core/scenario/ScenarioFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const ScenarioFile file(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const qint32 dim = file.findSection("DIM ");
    const Result<scenario::MapSize> mapSize = scenario::mapSize(file, dim, QStringLiteral("fuzz.chk"));
    const qint32 era = file.findSection("ERA ");
    if (era >= 0 && (!file.u8At(era + 4) || !file.u32At(era)))
        return 0;
    for (const char *name : {"TILE", "MTXM"}) {
        const qint32 at = file.findSection(QByteArrayView(name, 4));
        if (at < 0)
            continue;
        // The search reports where the length field starts, right after a name in the file.
        if (at < 4 || at > file.size() || file.bytes().mid(at - 4, 4) != QByteArray(name, 4))
            __builtin_trap();
        const auto length = file.u32At(at);
        if (length && mapSize && *length >= quint32(2 * mapSize->width * mapSize->height))
            (void)file.u8At(at + 4 + 2 * mapSize->width * mapSize->height - 1);
    }
    return 0;
}
