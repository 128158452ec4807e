#include "platform/gfx/Raster.h"

#include <cstring>
#include <vector>

namespace plat::raster {

void Stretch(const Target& dst, Rect d, const Target& src, Rect s)
{
    const Rect c = d.Intersected(dst.clip);
    if (c.IsEmpty() || d.IsEmpty() || s.IsEmpty())
        return;
    const long long dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    // The source column of each destination column, or -1 outside the
    // source's clip; worked out once for all rows.
    std::vector<int> columns(static_cast<std::size_t>(c.Width()));
    for (int x = c.left; x < c.right; ++x) {
        long long sx = s.left + (x - d.left) * sw / dw;
        columns[static_cast<std::size_t>(x - c.left)]
            = sx >= src.clip.left && sx < src.clip.right ? static_cast<int>(sx) : -1;
    }
    const std::size_t rowBytes = columns.size() * sizeof(std::uint32_t);
    long long previous = -1;
    std::uint32_t* previousRow = nullptr;
    for (int y = c.top; y < c.bottom; ++y) {
        std::uint32_t* out = dst.pixels + static_cast<std::ptrdiff_t>(y) * dst.pitch + c.left;
        long long sy = s.top + (y - d.top) * sh / dh;
        // Rows that magnify the same source row are copies of the first.
        if (sy == previous) {
            std::memcpy(out, previousRow, rowBytes);
            continue;
        }
        if (sy < src.clip.top || sy >= src.clip.bottom) {
            std::memset(out, 0, rowBytes);
        } else {
            const std::uint32_t* in = src.pixels + static_cast<std::ptrdiff_t>(sy) * src.pitch;
            for (std::size_t i = 0; i < columns.size(); ++i)
                out[i] = columns[i] >= 0 ? in[columns[i]] : 0;
        }
        previous = sy;
        previousRow = out;
    }
}

}
