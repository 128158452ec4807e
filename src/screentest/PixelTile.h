#pragma once

// Patterns that repeat every two rows: the first two rows drawn pixel by
// pixel, then copied down the screen two rows at a time. The copies read
// the same two rows each time, which stay in the cache, so the whole
// pattern costs about what writing its pixels does.

#include "platform/gfx/DeviceContext.h"

// Every pixel (x, y) of a width x height area set to color(x, y), which
// must depend on y only through y % 2.
template <class Color>
void FillTiled(plat::DeviceContext& dc, int width, int height, Color color)
{
    constexpr int kTileRows = 2;
    for (int y = 0; y < kTileRows && y < height; ++y)
        for (int x = 0; x < width; ++x)
            dc.SetPixel(x, y, color(x, y));
    for (int y = kTileRows; y < height; y += kTileRows)
        dc.BitBlt(0, y, width, kTileRows, dc, 0, 0, plat::SRCCOPY);
}
