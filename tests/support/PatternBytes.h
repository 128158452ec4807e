#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lvtest {

// Bytes that vary and repeat rarely, for byte-exact comparisons.
inline std::string PatternBytes(std::size_t size, unsigned seed = 1)
{
    std::string bytes(size, '\0');
    std::uint32_t x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return bytes;
}

}
