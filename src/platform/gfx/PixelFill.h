#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::raster {

// Sets `count` pixels from `p` on to `xrgb`. Callers must clip.
void FillPixels(std::uint32_t* p, std::size_t count, std::uint32_t xrgb);

}
