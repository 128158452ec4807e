#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

namespace plat::raster {

// Sets `count` pixels from `p` on to `xrgb`. Long runs go to the C library's
// wmemset (wchar_t is 32 bits here), which uses the widest stores the CPU
// has; short ones take 16 bytes per store inline: the plain loop is left
// scalar by the optimiser at -O2 when the count is not known.
inline void FillPixels(std::uint32_t* p, std::size_t count, std::uint32_t xrgb)
{
    static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
    if (count >= 64) {
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(xrgb), count);
        return;
    }
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
