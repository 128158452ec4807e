#pragma once

// The ring that shows a mark: a 1-pixel circle of radius 6 around the
// marked pixel (the midpoint circle, 32 pixels), on screen with a second
// circle of radius 7 just outside it in the opposite colour, so the mark
// shows over any pixels; and the colour that stands out on a step.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"

#include <array>

inline constexpr int kMarkRingRadius = 6;
inline constexpr int kMarkRingOuterRadius = 7;

// One octant of a circle (x >= y >= 0), mirrored eight ways; points on the
// axes and diagonals are taken once.
template <std::size_t N, std::size_t M>
constexpr std::array<plat::Point, N> MirroredOctant(const plat::Point (&octant)[M])
{
    std::array<plat::Point, N> ring {};
    std::size_t n = 0;
    for (plat::Point p : octant) {
        const plat::Point mirrored[8] = { { p.x, p.y }, { p.y, p.x }, { -p.y, p.x }, { -p.x, p.y }, { -p.x, -p.y },
            { -p.y, -p.x }, { p.y, -p.x }, { p.x, -p.y } };
        for (plat::Point m : mirrored) {
            bool seen = false;
            for (std::size_t i = 0; i < n; ++i)
                seen = seen || (ring[i].x == m.x && ring[i].y == m.y);
            if (!seen)
                ring[n++] = m;
        }
    }
    return ring;
}

// The rings' pixels as offsets from their centre: for every column and row
// the pixel nearest to the circle.
inline constexpr std::array<plat::Point, 32> kMarkRing
    = MirroredOctant<32>({ { 6, 0 }, { 6, 1 }, { 6, 2 }, { 5, 3 }, { 4, 4 } });
inline constexpr std::array<plat::Point, 40> kMarkRingOuter
    = MirroredOctant<40>({ { 7, 0 }, { 7, 1 }, { 7, 2 }, { 6, 3 }, { 6, 4 }, { 5, 5 } });
// A count too large would leave the centre, (0, 0), in a ring.
static_assert(kMarkRing.back().x != 0 || kMarkRing.back().y != 0);
static_assert(kMarkRingOuter.back().x != 0 || kMarkRingOuter.back().y != 0);

// Black on light colours, white on dark ones, by perceived brightness.
constexpr plat::COLORREF ContrastingBlackOrWhite(plat::COLORREF color)
{
    int brightness = 299 * static_cast<int>(plat::GetRValue(color)) + 587 * static_cast<int>(plat::GetGValue(color))
        + 114 * static_cast<int>(plat::GetBValue(color));
    return brightness >= 128 * 1000 ? plat::RGB(0, 0, 0) : plat::RGB(255, 255, 255);
}

// The ring around `center` in `color`, clipped by the context.
inline void DrawMarkRing(plat::DeviceContext& dc, plat::Point center, plat::COLORREF color)
{
    for (plat::Point offset : kMarkRing)
        dc.SetPixel(center.x + offset.x, center.y + offset.y, color);
}

// The ring on screen: the inner circle in `color` (black or white), the
// outer one in the other.
inline void DrawTwoToneMarkRing(plat::DeviceContext& dc, plat::Point center, plat::COLORREF color)
{
    const plat::COLORREF other = color == plat::RGB(0, 0, 0) ? plat::RGB(255, 255, 255) : plat::RGB(0, 0, 0);
    DrawMarkRing(dc, center, color);
    for (plat::Point offset : kMarkRingOuter)
        dc.SetPixel(center.x + offset.x, center.y + offset.y, other);
}
