#pragma once

// The floors of the drawing benchmarks: what a hand-written loop over the
// same 1920 x 1080 buffer costs. Not inlined, so that each call costs what
// a call into the drawing code does.

#include "platform/gfx/Surface.h"

#include <cstddef>
#include <cstdint>

namespace benchsupport {

constexpr int kCanvasWidth = 1920;
constexpr int kCanvasHeight = 1080;

struct Canvas {
    plat::Surface surface { kCanvasWidth, kCanvasHeight };
    std::uint32_t* pixels = surface.Data();
    int pitch = surface.Pitch();
};

__attribute__((noinline)) inline void PlainColumn(std::uint32_t* pixels, int pitch, int x, int height, std::uint32_t c)
{
    std::uint32_t* p = pixels + x;
    for (int y = 0; y < height; ++y, p += pitch)
        *p = c;
}

__attribute__((noinline)) inline void PlainRow(std::uint32_t* pixels, int pitch, int y, int width, std::uint32_t c)
{
    std::uint32_t* p = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
    for (int x = 0; x < width; ++x)
        p[x] = c;
}

__attribute__((noinline)) inline void PlainSetPixel(std::uint32_t* pixels, int pitch, int x, int y, std::uint32_t c)
{
    pixels[static_cast<std::ptrdiff_t>(y) * pitch + x] = c;
}

}
