#include "platform/gfx/Raster.h"

#include "platform/gfx/PixelFill.h"

#include <cstring>
#include <vector>

namespace plat::raster {

namespace {

// Destination columns that show one source column (-1: off the source).
struct Run {
    int offset;
    int length;
    long long column;
};

}

void Stretch(const Target& dst, Rect d, const Target& src, Rect s)
{
    const Rect c = d.Intersected(dst.clip);
    if (c.IsEmpty() || d.IsEmpty() || s.IsEmpty())
        return;
    const long long dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    // The runs, worked out once for all rows: a magnification has few runs
    // of many pixels, each filled at once. Positions step by sums, not
    // divisions, which would cost more than the pixels.
    std::vector<Run> runs;
    long long along = (c.left - d.left) * sw; // (x - d.left) * sw
    long long k = along / dw;
    long long next = (k + 1) * dw;
    for (int x = c.left; x < c.right; ++x, along += sw) {
        if (along >= next) {
            k = along / dw;
            next = (k + 1) * dw;
        }
        const long long sx = s.left + k;
        const long long column = sx >= src.clip.left && sx < src.clip.right ? sx : -1;
        if (!runs.empty() && runs.back().column == column)
            ++runs.back().length;
        else
            runs.push_back({ x - c.left, 1, column });
    }
    const std::size_t rowBytes = static_cast<std::size_t>(c.Width()) * sizeof(std::uint32_t);
    long long down = (c.top - d.top) * sh; // (y - d.top) * sh
    long long ky = down / dh;
    long long nextRow = (ky + 1) * dh;
    std::uint32_t* previousRow = nullptr;
    for (int y = c.top; y < c.bottom; ++y, down += sh) {
        std::uint32_t* out = dst.pixels + static_cast<std::ptrdiff_t>(y) * dst.pitch + c.left;
        // Rows that magnify the same source row are copies of the first.
        if (previousRow && down < nextRow) {
            std::memcpy(out, previousRow, rowBytes);
            continue;
        }
        while (down >= nextRow) {
            ++ky;
            nextRow += dh;
        }
        const long long sy = s.top + ky;
        const std::uint32_t* in
            = sy >= src.clip.top && sy < src.clip.bottom ? src.pixels + static_cast<std::ptrdiff_t>(sy) * src.pitch : nullptr;
        for (const Run& run : runs) {
            const std::uint32_t pixel = in && run.column >= 0 ? in[run.column] : 0;
            if (run.length < 4) {
                for (int i = 0; i < run.length; ++i)
                    out[run.offset + i] = pixel;
                continue;
            }
            FillPixels(out + run.offset, static_cast<std::size_t>(run.length), pixel);
        }
        previousRow = out;
    }
}

}
