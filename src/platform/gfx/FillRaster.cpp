#include "platform/gfx/Raster.h"

#include <algorithm>

namespace plat::raster {

void FillRect(const Target& t, Rect r, std::uint32_t xrgb)
{
    r = r.Intersected(t.clip);
    if (r.IsEmpty())
        return;
    const int width = r.Width();
    std::uint32_t* row = t.pixels + static_cast<std::ptrdiff_t>(r.top) * t.pitch + r.left;
    if (width == t.pitch) {
        std::fill_n(row, static_cast<std::ptrdiff_t>(width) * r.Height(), xrgb);
        return;
    }
    for (int y = r.top; y < r.bottom; ++y, row += t.pitch)
        std::fill_n(row, width, xrgb);
}

}
