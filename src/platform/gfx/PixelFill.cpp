#include "platform/gfx/PixelFill.h"

#include <cstring>
#include <cwchar>

namespace plat::raster {

// Filling is bound by how many bytes a store can write: the widest stores
// the CPU has give twice the speed of the 16-byte ones of the baseline
// instruction set, so x86-64 gets an AVX2 version chosen at load time.
// Runs of a whole bitmap go to the C library's wmemset (wchar_t is 32 bits
// here), which also knows when to bypass the cache. ThreadSanitizer builds
// keep the baseline version: the load-time chooser runs before the
// sanitizer's runtime is up and crashes there.
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("avx2", "default")))
#endif
void
FillPixels(std::uint32_t* p, std::size_t count, std::uint32_t xrgb)
{
    static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
    if (count >= 4096) {
        std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(xrgb), count);
        return;
    }
    using Block = std::uint32_t __attribute__((vector_size(32)));
    using Half = std::uint32_t __attribute__((vector_size(16)));
    const Block block = { xrgb, xrgb, xrgb, xrgb, xrgb, xrgb, xrgb, xrgb };
    const Half half = { xrgb, xrgb, xrgb, xrgb };
    std::uint32_t* end = p + count;
    if (count < 4) {
        for (; p < end; ++p)
            *p = xrgb;
        return;
    }
    if (count < 8) {
        std::memcpy(p, &half, sizeof half);
        std::memcpy(end - 4, &half, sizeof half);
        return;
    }
    // The stores are what costs: one unaligned block at each end, and
    // aligned ones between them (never split across two cache lines).
    std::memcpy(p, &block, sizeof block);
    std::uint32_t* q = reinterpret_cast<std::uint32_t*>((reinterpret_cast<std::uintptr_t>(p) + 32) & ~std::uintptr_t { 31 });
    for (; q + 8 <= end; q += 8)
        std::memcpy(q, &block, sizeof block);
    std::memcpy(end - 8, &block, sizeof block);
}

}
