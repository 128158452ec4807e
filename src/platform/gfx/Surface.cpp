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
    view.m_pixels = pixels;
    view.m_width = width;
    view.m_height = height;
    view.m_pitch = pitch;
    return view;
}

Surface::Surface(Surface&& other) noexcept
    : m_owned(std::move(other.m_owned))
    , m_pixels(std::exchange(other.m_pixels, nullptr))
    , m_width(std::exchange(other.m_width, 0))
    , m_height(std::exchange(other.m_height, 0))
    , m_pitch(std::exchange(other.m_pitch, 0))
{
}

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this == &other)
        return *this;
    m_owned = std::move(other.m_owned);
    m_pixels = std::exchange(other.m_pixels, nullptr);
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_pitch = std::exchange(other.m_pitch, 0);
    return *this;
}

void Surface::Clear()
{
    m_owned.reset();
    m_pixels = nullptr;
    m_width = 0;
    m_height = 0;
    m_pitch = 0;
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
    m_owned.reset(static_cast<std::uint32_t*>(std::aligned_alloc(64, bytes)));
    if (!m_owned)
        return false;
    m_pixels = m_owned.get();
    std::memset(m_pixels, 0, bytes);
    m_width = width;
    m_height = height;
    m_pitch = pitch;
    return true;
}

std::uint32_t Surface::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return Row(y)[x];
}

void Surface::Fill(std::uint32_t xrgb)
{
    std::fill_n(m_pixels, BufferPixels(), xrgb);
}

}
