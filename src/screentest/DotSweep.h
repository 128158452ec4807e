#pragma once

// The dot fills' sweeps: every pixel of a width x height area set to one
// colour by its own SetPixel call, in a fixed order. Templates on the
// context so that tests can watch the calls on their way to a real one.

#include "platform/Types.h"

// Row after row from the top, each row from the left.
template <class Context>
void SweepRows(Context& dc, int width, int height, plat::COLORREF color)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dc.SetPixel(x, y, color);
}

// Column after column from the left, each column from the top.
template <class Context>
void SweepColumns(Context& dc, int width, int height, plat::COLORREF color)
{
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            dc.SetPixel(x, y, color);
}
