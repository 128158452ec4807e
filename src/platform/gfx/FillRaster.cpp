#include "platform/gfx/Raster.h"

#include "platform/gfx/PixelFill.h"

namespace plat::raster {

void FillRect(const Target& t, Rect r, std::uint32_t xrgb)
{
    r = r.Intersected(t.clip);
    if (r.IsEmpty())
        return;
    const int width = r.Width();
    std::uint32_t* row = t.pixels + static_cast<std::ptrdiff_t>(r.top) * t.pitch + r.left;
    if (width == t.width) {
        // Whole rows: one run through the padding between them, which nobody sees.
        FillPixels(row, static_cast<std::size_t>(t.pitch) * (r.Height() - 1) + width, xrgb);
        return;
    }
    // A vertical line: one store a row costs less than a call a row.
    if (width == 1) {
        for (int y = r.top; y < r.bottom; ++y, row += t.pitch)
            *row = xrgb;
        return;
    }
    for (int y = r.top; y < r.bottom; ++y, row += t.pitch)
        FillPixels(row, width, xrgb);
}

}
