#include "platform/gfx/IconScale.h"

#include "platform/gfx/Surface.h"

#include <algorithm>

namespace plat {

std::vector<std::uint32_t> ScaleArgb(const std::vector<std::uint32_t>& argb, int width, int height, int toWidth,
    int toHeight)
{
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 || toWidth > Surface::kMaxSide
        || toHeight > Surface::kMaxSide || argb.size() < static_cast<std::size_t>(width) * height)
        return {};
    std::vector<std::uint32_t> out(static_cast<std::size_t>(toWidth) * toHeight);
    for (int y = 0; y < toHeight; ++y) {
        // Source rows [y0, y1) and columns [x0, x1) that fold into this pixel; at least one of each.
        const int y0 = static_cast<int>(static_cast<long long>(y) * height / toHeight);
        const int y1 = std::max(y0 + 1, static_cast<int>(static_cast<long long>(y + 1) * height / toHeight));
        for (int x = 0; x < toWidth; ++x) {
            const int x0 = static_cast<int>(static_cast<long long>(x) * width / toWidth);
            const int x1 = std::max(x0 + 1, static_cast<int>(static_cast<long long>(x + 1) * width / toWidth));
            std::uint64_t a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const std::uint32_t p = argb[static_cast<std::size_t>(sy) * width + sx];
                    const std::uint32_t pa = p >> 24;
                    a += pa;
                    r += pa * ((p >> 16) & 0xff);
                    g += pa * ((p >> 8) & 0xff);
                    b += pa * (p & 0xff);
                    ++n;
                }
            }
            if (a == 0)
                continue;
            const std::uint32_t outA = static_cast<std::uint32_t>((a + n / 2) / n);
            out[static_cast<std::size_t>(y) * toWidth + x] = (outA << 24)
                | static_cast<std::uint32_t>((r + a / 2) / a) << 16 | static_cast<std::uint32_t>((g + a / 2) / a) << 8
                | static_cast<std::uint32_t>((b + a / 2) / a);
        }
    }
    return out;
}

}
