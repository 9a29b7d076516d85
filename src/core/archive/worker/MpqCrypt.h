#pragma once

// The archive format's table cipher and name hash, without Qt or the archive library: the
// worker uses it to check entry sectors on its own, the tests to build archives byte by byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mpqcrypt {

enum class HashKind : std::uint32_t { TableIndex = 0, NameA = 1, NameB = 2, FileKey = 3 };

/// The 0x500-word table every hash and cipher step looks up.
inline const std::array<std::uint32_t, 0x500> &table()
{
    static const std::array<std::uint32_t, 0x500> values = [] {
        std::array<std::uint32_t, 0x500> t{};
        std::uint32_t seed = 0x00100001;
        for (std::uint32_t i = 0; i < 0x100; ++i) {
            for (std::uint32_t j = 0; j < 5; ++j) {
                seed = (seed * 125 + 3) % 0x2AAAAB;
                const std::uint32_t high = (seed & 0xFFFF) << 16;
                seed = (seed * 125 + 3) % 0x2AAAAB;
                t[i + j * 0x100] = high | (seed & 0xFFFF);
            }
        }
        return t;
    }();
    return values;
}

/// Names compare without case and with '/' as '\'.
inline std::uint32_t hashName(std::string_view name, HashKind kind)
{
    const auto &t = table();
    std::uint32_t seed1 = 0x7FED7FED, seed2 = 0xEEEEEEEE;
    for (unsigned char c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - 'a' + 'A');
        else if (c == '/')
            c = '\\';
        seed1 = t[static_cast<std::uint32_t>(kind) * 0x100 + c] ^ (seed1 + seed2);
        seed2 = c + seed1 + seed2 + (seed2 << 5) + 3;
    }
    return seed1;
}

/// The key of an entry encrypted without the position fix: taken from the bare file name.
inline std::uint32_t fileKey(std::string_view name)
{
    const std::size_t cut = name.find_last_of("\\/");
    return hashName(cut == std::string_view::npos ? name : name.substr(cut + 1), HashKind::FileKey);
}

inline std::uint32_t load32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16
        | std::uint32_t(p[3]) << 24;
}

inline void store32(unsigned char *p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

/// Decrypts (or, with `encrypt`, encrypts) the whole 32-bit words of `size` bytes in place.
inline void crypt(unsigned char *data, std::size_t size, std::uint32_t key, bool encrypt = false)
{
    const auto &t = table();
    std::uint32_t seed = 0xEEEEEEEE;
    for (std::size_t at = 0; at + 4 <= size; at += 4) {
        seed += t[0x400 + (key & 0xFF)];
        const std::uint32_t in = load32(data + at);
        const std::uint32_t out = in ^ (key + seed);
        const std::uint32_t plain = encrypt ? in : out;
        key = ((~key << 21) + 0x11111111) | (key >> 11);
        seed = plain + seed + (seed << 5) + 3;
        store32(data + at, out);
    }
}

} // namespace mpqcrypt
