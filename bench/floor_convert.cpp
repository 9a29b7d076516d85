// The floor for `velmora-cli convert`: the least one process can do to paint a map with the
// archive library alone. Copies MAP to OUT, reads the scenario entry, fills its "MTXM" and
// "TILE" sections with tile values, stores the entry back the way Velmora stores it
// (PKWARE-compressed, encrypted) and closes the archive. No checks, no scratch copies, no
// picture: whatever velmora-cli spends beyond this is ours.
//
// This is a yardstick, not product code: it calls the archive library directly, the one
// place outside src/core/archive that does.
//
// Usage: floor_convert MAP OUT [SECTIONS]
//   SECTIONS: a scenario file whose "MTXM" and "TILE" data are written instead of the
//   made-up values, so the library compresses exactly the bytes velmora-cli stores (how
//   long compression takes depends on how well the bytes compress).
#include <StormLib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace {

uint32_t le32(const unsigned char *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

/// The data of the first section named `name`, or an empty span.
std::pair<size_t, size_t> sectionData(const std::vector<unsigned char> &chk, const char *name)
{
    for (size_t at = 0; at + 8 <= chk.size();) {
        const size_t end = std::min(chk.size(), at + 8 + size_t(le32(&chk[at + 4])));
        if (std::memcmp(&chk[at], name, 4) == 0)
            return {at + 8, end};
        at = end;
    }
    return {0, 0};
}

// Fills the data of every section named `name` with 16-bit tile values: those of the same
// section in `from` when it is not empty, made-up ones otherwise.
void patch(std::vector<unsigned char> &chk, const char *name, const std::vector<unsigned char> &from)
{
    const auto [source, sourceEnd] = sectionData(from, name);
    for (size_t at = 0; at + 8 <= chk.size();) {
        const uint32_t length = le32(&chk[at + 4]);
        const size_t end = std::min(chk.size(), at + 8 + size_t(length));
        if (std::memcmp(&chk[at], name, 4) == 0) {
            if (sourceEnd > source)
                std::memcpy(&chk[at + 8], &from[source], std::min(end - at - 8, sourceEnd - source));
            else
                for (size_t i = at + 8; i + 1 < end; i += 2) {
                    const uint16_t tile = uint16_t((i * 40503u) & 0x7fff);
                    chk[i] = uint8_t(tile);
                    chk[i + 1] = uint8_t(tile >> 8);
                }
        }
        at = end;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: floor_convert MAP OUT [SECTIONS]\n");
        return 2;
    }
    std::vector<unsigned char> sections;
    if (argc == 4) {
        std::ifstream in(argv[3], std::ios::binary);
        sections.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (sections.empty())
            return 1;
    }
    std::error_code error;
    std::filesystem::copy_file(argv[1], argv[2], std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        return 1;
    const char *entry = "staredit\\scenario.chk";
    HANDLE archive = nullptr, file = nullptr;
    if (!SFileOpenArchive(argv[2], 0, 0, &archive))
        return 1;
    if (!SFileOpenFileEx(archive, entry, SFILE_OPEN_FROM_MPQ, &file))
        return 1;
    std::vector<unsigned char> chk(SFileGetFileSize(file, nullptr));
    DWORD read = 0;
    SFileReadFile(file, chk.data(), DWORD(chk.size()), &read, nullptr);
    SFileCloseFile(file);

    patch(chk, "MTXM", sections);
    patch(chk, "TILE", sections);

    if (!SFileCreateFile(archive, entry, 0, DWORD(chk.size()), 0,
                         MPQ_FILE_COMPRESS | MPQ_FILE_ENCRYPTED | MPQ_FILE_REPLACEEXISTING, &file))
        return 1;
    SFileWriteFile(file, chk.data(), DWORD(chk.size()), MPQ_COMPRESSION_PKWARE);
    SFileFinishFile(file);
    return SFileCloseArchive(archive) ? 0 : 1;
}
