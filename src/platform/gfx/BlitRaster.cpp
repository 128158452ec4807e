#include "platform/gfx/Raster.h"

#include <algorithm>
#include <cstring>

namespace plat::raster {

namespace {

// The part of a width x height block at d (whose source is at s) where both
// the destination and the source pixel are inside their clips; returns the
// clipped destination rectangle and moves s along with it.
Rect ClipBlock(const Rect& dstClip, Point d, const Rect& srcClip, Point& s, int width, int height)
{
    Rect dst { d.x, d.y, Translate(d.x, width), Translate(d.y, height) };
    const Rect srcAsDst = Translate(srcClip, Point { d.x - s.x, d.y - s.y });
    dst = dst.Intersected(dstClip).Intersected(srcAsDst);
    s = { s.x + (dst.left - d.x), s.y + (dst.top - d.y) };
    return dst;
}

using Pixels4 = std::uint32_t __attribute__((vector_size(16)));

Pixels4 Load4(const std::uint32_t* p)
{
    Pixels4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Rows of masked pixels, four at a time: the masks of glyphs and pictures
// are too irregular for a branch per pixel. A row that does not end on a
// multiple of four ends with the last four pixels again, worked out before
// the row is written to (a load from what was just stored would wait for it);
// selecting a pixel twice gives the same pixel. `select(d, i)` returns the
// four pixels d from i with the masked ones replaced.
template <typename Select>
void SelectRow(std::uint32_t* p, int count, Select select)
{
    const bool ragged = count % 4 != 0;
    const Pixels4 last = ragged ? select(Load4(p + count - 4), count - 4) : Pixels4 {};
    for (int i = 0; i + 4 <= count; i += 4) {
        const Pixels4 d = select(Load4(p + i), i);
        std::memcpy(p + i, &d, sizeof d);
    }
    if (ragged)
        std::memcpy(p + count - 4, &last, sizeof last);
}

// p[i] = ink where mask[i] is all ones.
void SelectInk(std::uint32_t* p, const std::uint32_t* mask, int count, std::uint32_t ink)
{
    if (count < 4) {
        for (int i = 0; i < count; ++i)
            p[i] = (p[i] & ~mask[i]) | (ink & mask[i]);
        return;
    }
    const Pixels4 inks = { ink, ink, ink, ink };
    SelectRow(p, count, [mask, inks](Pixels4 d, int i) {
        const Pixels4 m = Load4(mask + i);
        return (d & ~m) | (inks & m);
    });
}

// p[i] = source[i] where mask[i] is all ones.
void SelectPixels(std::uint32_t* p, const std::uint32_t* mask, int count, const std::uint32_t* source)
{
    if (count < 4) {
        for (int i = 0; i < count; ++i)
            p[i] = (p[i] & ~mask[i]) | (source[i] & mask[i]);
        return;
    }
    SelectRow(p, count, [mask, source](Pixels4 d, int i) {
        const Pixels4 m = Load4(mask + i);
        return (d & ~m) | (Load4(source + i) & m);
    });
}

}

void Blit(const Target& dst, Point d, const Target& src, Point s, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    const Rect r = ClipBlock(dst.clip, d, src.clip, s, width, height);
    if (r.IsEmpty())
        return;
    const std::size_t bytes = static_cast<std::size_t>(r.Width()) * sizeof(std::uint32_t);
    // Rows run bottom-up when copying downwards within one surface, so no source row is overwritten before it is read.
    const bool upward = dst.pixels == src.pixels && r.top > s.y;
    for (int i = 0; i < r.Height(); ++i) {
        const int row = upward ? r.Height() - 1 - i : i;
        std::memmove(dst.pixels + static_cast<std::ptrdiff_t>(r.top + row) * dst.pitch + r.left,
            src.pixels + static_cast<std::ptrdiff_t>(s.y + row) * src.pitch + s.x, bytes);
    }
}

void Mask(const Target& t, Point d, const std::uint32_t* mask, int width, int height, std::uint32_t xrgb)
{
    const Rect r = Rect { d.x, d.y, Translate(d.x, width), Translate(d.y, height) }.Intersected(t.clip);
    for (int y = r.top; y < r.bottom; ++y) {
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(y - d.y) * width + (r.left - d.x);
        SelectInk(t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch + r.left, mask + offset, r.Width(), xrgb);
    }
}

void MaskedImage(const Target& t, Point d, const std::uint32_t* pixels, const std::uint32_t* mask, int width,
    int height)
{
    const Rect r = Rect { d.x, d.y, Translate(d.x, width), Translate(d.y, height) }.Intersected(t.clip);
    for (int y = r.top; y < r.bottom; ++y) {
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(y - d.y) * width + (r.left - d.x);
        SelectPixels(t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch + r.left, mask + offset, r.Width(),
            pixels + offset);
    }
}

void AlphaImage(const Target& t, Point d, const std::uint32_t* argb, int width, int height)
{
    const Rect r = Rect { d.x, d.y, Translate(d.x, width), Translate(d.y, height) }.Intersected(t.clip);
    for (int y = r.top; y < r.bottom; ++y) {
        const std::ptrdiff_t offset = static_cast<std::ptrdiff_t>(y - d.y) * width - d.x;
        std::uint32_t* p = t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch;
        for (int x = r.left; x < r.right; ++x) {
            const std::uint32_t src = argb[offset + x];
            const std::uint32_t a = src >> 24;
            if (a == 0)
                continue;
            if (a == 255) {
                p[x] = src & 0xffffff;
                continue;
            }
            std::uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t fg = (src >> shift) & 0xff;
                const std::uint32_t bg = (p[x] >> shift) & 0xff;
                out |= ((fg * a + bg * (255 - a) + 127) / 255) << shift;
            }
            p[x] = out;
        }
    }
}

}
