#pragma once

#include <cstdint>
#include <vector>

namespace plat {

// Resizes straight-alpha 0xAARRGGBB pixels: area-averaged (weighted by
// alpha) when shrinking, nearest pixel when growing. Empty for an empty
// source or a non-positive target size.
std::vector<std::uint32_t> ScaleArgb(const std::vector<std::uint32_t>& argb, int width, int height, int toWidth,
    int toHeight);

}
