#pragma once

// The ring that shows a mark: a 1-pixel circle of radius 6 around the
// marked pixel (the midpoint circle, 32 pixels), and the colour that stands
// out on a step.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"

#include <array>

inline constexpr int kMarkRingRadius = 6;

// The ring's pixels as offsets from its centre.
inline constexpr std::array<plat::Point, 32> kMarkRing = [] {
    std::array<plat::Point, 32> ring {};
    // One octant of the midpoint circle, mirrored eight ways; points on
    // the axes and diagonals are taken once.
    constexpr plat::Point kOctant[] = { { 6, 0 }, { 6, 1 }, { 6, 2 }, { 5, 3 }, { 4, 4 } };
    std::size_t n = 0;
    for (plat::Point p : kOctant) {
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
}();

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
