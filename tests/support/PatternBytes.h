#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lvtest {

// A xorshift sequence seeded by `seed`, one byte of it per position through `toByte`.
template <class ToByte>
std::string XorshiftBytes(std::size_t size, unsigned seed, ToByte toByte)
{
    std::string bytes(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = toByte(x);
    }
    return bytes;
}

// Bytes that vary and repeat rarely, for byte-exact comparisons.
inline std::string PatternBytes(std::size_t size, unsigned seed = 1)
{
    return XorshiftBytes(size, seed, [](std::uint32_t x) { return static_cast<char>(x); });
}

// Bytes 1 to 255 in a scrambled order: binary, but without the zero byte a
// text transfer stops at.
inline std::string NonZeroPatternBytes(std::size_t size, unsigned seed = 1)
{
    return XorshiftBytes(size, seed, [](std::uint32_t x) { return static_cast<char>(1 + x % 255); });
}

}
