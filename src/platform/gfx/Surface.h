#pragma once

// A 32-bit pixel buffer: 0x00RRGGBB per pixel, rows of Pitch() pixels.
// Device contexts draw on it; windows show it. A surface owns its pixels
// (Pitch() may exceed Width(): rows are padded so that a column's pixels
// spread over the whole CPU cache), or is a view of memory that someone else
// owns, such as a window system's framebuffer, with that owner's row pitch.

#include "platform/Types.h"

#include <cstdint>
#include <memory>

namespace plat {

// COLORREF (low byte red) to a surface pixel (0x00RRGGBB) and back.
constexpr std::uint32_t ToXrgb(COLORREF c)
{
    return __builtin_bswap32(c) >> 8; // 0x00BBGGRR -> 0xRRGGBB00 -> 0x00RRGGBB
}
constexpr COLORREF FromXrgb(std::uint32_t p)
{
    return ((p >> 16) & 0xffu) | (p & 0xff00u) | ((p & 0xffu) << 16);
}

class Surface {
public:
    // Largest accepted width or height; bigger requests fail.
    static constexpr int kMaxSide = 16384;

    Surface() = default;
    // A black surface; an empty one when a size is negative or too large.
    Surface(int width, int height);

    // A view of `width` x `height` pixels at `pixels`, rows `pitch` pixels
    // apart. The memory (pitch x height pixels; whole-row fills may write
    // the padding between rows) is neither copied nor freed and must
    // outlive the view. Empty when an argument is out of range.
    static Surface View(std::uint32_t* pixels, int width, int height, int pitch);

    // The moved-from surface is left empty.
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Reallocates to the new size, all black; false (and empty) on a bad size.
    // A view becomes a surface that owns its pixels.
    bool Resize(int width, int height);

    bool IsView() const { return m_pixels && !m_owned; }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Pitch() const { return m_pitch; } // pixels from one row to the next
    Rect Bounds() const { return { 0, 0, m_width, m_height }; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }

    std::uint32_t* Data() { return m_pixels; }
    const std::uint32_t* Data() const { return m_pixels; }
    // Callers must range-check y.
    std::uint32_t* Row(int y) { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_pitch; }
    const std::uint32_t* Row(int y) const { return m_pixels + static_cast<std::ptrdiff_t>(y) * m_pitch; }

    // The pixel at (x, y) as 0x00RRGGBB; 0 outside the surface.
    std::uint32_t Pixel(int x, int y) const;
    void Fill(std::uint32_t xrgb);
    // Every pixel of the buffer, padding included: Pitch() x Height().
    std::size_t BufferPixels() const { return static_cast<std::size_t>(m_pitch) * static_cast<std::size_t>(m_height); }

private:
    struct Free {
        void operator()(std::uint32_t* p) const;
    };
    void Clear();

    std::unique_ptr<std::uint32_t[], Free> m_owned; // null for a view
    std::uint32_t* m_pixels = nullptr;
    int m_width = 0;
    int m_height = 0;
    int m_pitch = 0;
};

}
