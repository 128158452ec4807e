#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace plat::raster {

// Sets `count` pixels from `p` on to `xrgb`, 16 bytes per store: the plain
// loop is left scalar by the optimiser at -O2 when the count is not known.
inline void FillPixels(std::uint32_t* p, std::size_t count, std::uint32_t xrgb)
{
    using Block = std::uint32_t __attribute__((vector_size(16)));
    const Block block = { xrgb, xrgb, xrgb, xrgb };
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        std::memcpy(p + i, &block, sizeof block);
        std::memcpy(p + i + 4, &block, sizeof block);
        std::memcpy(p + i + 8, &block, sizeof block);
        std::memcpy(p + i + 12, &block, sizeof block);
    }
    for (; i + 4 <= count; i += 4)
        std::memcpy(p + i, &block, sizeof block);
    for (; i < count; ++i)
        p[i] = xrgb;
}

}
