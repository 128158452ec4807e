#include "platform/gfx/Surface.h"

#include <algorithm>
#include <new>

namespace plat {

Surface::Surface(int width, int height)
{
    Resize(width, height);
}

bool Surface::Resize(int width, int height)
{
    pixels_.reset();
    width_ = 0;
    height_ = 0;
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (count > 0) {
        pixels_.reset(new (std::nothrow) std::uint32_t[count]());
        if (!pixels_)
            return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

std::uint32_t Surface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return Row(y)[x];
}

void Surface::Fill(std::uint32_t xrgb)
{
    std::fill_n(pixels_.get(), static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), xrgb);
}

}
