#include "platform/gfx/Surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace plat {

namespace {

// Rows are whole 64-byte cache lines, an odd number of them: with an even
// count (1920 pixels is 120 lines) the pixels of a column fall into a few
// cache sets only and a vertical line runs at half speed.
int PitchFor(int width)
{
    const int lines = (width + 15) / 16;
    return (lines % 2 == 0 ? lines + 1 : lines) * 16;
}

}

void Surface::Free::operator()(std::uint32_t* p) const
{
    std::free(p);
}

Surface::Surface(int width, int height)
{
    Resize(width, height);
}

Surface Surface::View(std::uint32_t* pixels, int width, int height, int pitch)
{
    Surface view;
    if (!pixels || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || pitch < width || pitch > 2 * kMaxSide)
        return view;
    view.pixels_ = pixels;
    view.width_ = width;
    view.height_ = height;
    view.pitch_ = pitch;
    return view;
}

Surface::Surface(Surface&& other) noexcept
    : owned_(std::move(other.owned_))
    , pixels_(std::exchange(other.pixels_, nullptr))
    , width_(std::exchange(other.width_, 0))
    , height_(std::exchange(other.height_, 0))
    , pitch_(std::exchange(other.pitch_, 0))
{
}

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this == &other)
        return *this;
    owned_ = std::move(other.owned_);
    pixels_ = std::exchange(other.pixels_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    pitch_ = std::exchange(other.pitch_, 0);
    return *this;
}

void Surface::Clear()
{
    owned_.reset();
    pixels_ = nullptr;
    width_ = 0;
    height_ = 0;
    pitch_ = 0;
}

bool Surface::Resize(int width, int height)
{
    Clear();
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    if (width == 0 || height == 0)
        return true;
    const int pitch = PitchFor(width);
    const std::size_t bytes = static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height) * sizeof(std::uint32_t);
    owned_.reset(static_cast<std::uint32_t*>(std::aligned_alloc(64, bytes)));
    if (!owned_)
        return false;
    pixels_ = owned_.get();
    std::memset(pixels_, 0, bytes);
    width_ = width;
    height_ = height;
    pitch_ = pitch;
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
    std::fill_n(pixels_, BufferPixels(), xrgb);
}

}
