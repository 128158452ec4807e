#pragma once

// The pixel loops behind DeviceContext, one primitive per file. Coordinates
// are surface coordinates; each function clips to target.clip itself unless
// it says "Callers must clip."

#include "platform/Types.h"

#include <cstdint>

namespace plat::raster {

struct Target {
    std::uint32_t* pixels = nullptr;
    int pitch = 0;
    int width = 0; // of the surface; pixels from width to pitch of a row are padding
    Rect clip;     // inside the surface; empty when nothing may be drawn
};

// Keeps translated coordinates far from overflow; no surface comes near this.
constexpr int kCoordLimit = 1 << 28;
constexpr int Translate(int v, int by)
{
    const long long r = static_cast<long long>(v) + by;
    return static_cast<int>(r < -kCoordLimit ? -kCoordLimit : (r > kCoordLimit ? kCoordLimit : r));
}
constexpr Rect Translate(Rect r, Point by)
{
    return { Translate(r.left, by.x), Translate(r.top, by.y), Translate(r.right, by.x), Translate(r.bottom, by.y) };
}

// Left/top inside, right/bottom outside.
void FillRect(const Target& t, Rect r, std::uint32_t xrgb);

// A point in surface coordinates that may lie far outside any surface.
struct FarPoint {
    long long x = 0;
    long long y = 0;
    friend bool operator==(FarPoint, FarPoint) = default;
};

// From a up to, not including, b.
void Line(const Target& t, FarPoint a, FarPoint b, std::uint32_t xrgb);

// Outline in pen along left/top and one pixel inside right/bottom, corners
// from an ellipseWidth x ellipseHeight ellipse, interior in brush. A null
// pen leaves the outline's pixels alone.
void RoundRect(const Target& t, Rect r, int ellipseWidth, int ellipseHeight, const std::uint32_t* pen,
    std::uint32_t brush);

// Copies a width x height block from src at s to dst at d, skipping pixels
// outside either clip; the two may be the same surface.
void Blit(const Target& dst, Point d, const Target& src, Point s, int width, int height);

// Scales the block s of src onto the block d of dst, nearest pixel (each
// destination pixel takes the source pixel its position maps to, rounded
// down); source pixels outside src's clip are black. The two blocks must
// not overlap in one surface.
void Stretch(const Target& dst, Rect d, const Target& src, Rect s);

// Masks are width x height words, row-major: all ones to draw, 0 to leave.
// Draws `mask` at d in xrgb.
void Mask(const Target& t, Point d, const std::uint32_t* mask, int width, int height, std::uint32_t xrgb);

// Pixels of an image where its mask is all ones.
void MaskedImage(const Target& t, Point d, const std::uint32_t* pixels, const std::uint32_t* mask, int width,
    int height);

// Blends straight-alpha 0xAARRGGBB pixels (width x height) at d.
void AlphaImage(const Target& t, Point d, const std::uint32_t* argb, int width, int height);

}
