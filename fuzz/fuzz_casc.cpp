// Fuzzes the storage tables of a Remastered installation: the first byte picks the parser
// (index, encoding, root, BLTE, .build.info and build config), the rest is its input. Every
// input ends in a value or a failure with a sentence, reading only inside the bytes.
#include "core/tileset/CascFormat.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const auto check = [](const auto &result) {
        if (!result && result.reason().isEmpty())
            __builtin_trap(); // a failure must say why
    };
    switch (data[0] % 6) {
    case 0: {
        const auto entries = casc::parseIndex(bytes, bytes.size() > 10 ? quint8(bytes[10]) & 15 : 0);
        check(entries);
        if (entries && !entries->empty()) {
            casc::Key key{};
            std::copy(entries->front().key.begin(), entries->front().key.end(), key.begin());
            if (!casc::findIndexEntry(*entries, key))
                __builtin_trap(); // an entry read must be found again
        }
        break;
    }
    case 1: {
        qint64 tableBytes = 0;
        auto table = casc::parseEncodingHeader(bytes, bytes.size(), &tableBytes);
        check(table);
        if (!table)
            break;
        const Status pages = casc::parseEncodingPageTable(
            bytes.sliced(casc::EncodingHeaderBytes, tableBytes), &table.value());
        check(pages);
        if (!pages)
            break;
        for (int page = 0; page < int(table->firstKeys.size()); ++page)
            (void)casc::findInPage(bytes.sliced(table->pagesOffset + page * table->pageSize,
                                                table->pageSize),
                                   table->firstKeys[size_t(page)]);
        break;
    }
    case 2: {
        const casc::RootScan scan = casc::scanRoot(bytes, {"tileset/", "sd/tileset/"});
        if (scan.tilesetNames.size() > casc::ShownTilesetNames)
            __builtin_trap();
        break;
    }
    case 3: check(casc::decodeBlte(bytes, -1, qint64(1) << 24)); break;
    case 4: check(casc::activeBuildKey(bytes)); break;
    default: check(casc::parseBuildConfig(bytes)); break;
    }
    return 0;
}
