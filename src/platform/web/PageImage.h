#pragma once

// A picture of a web page (PNG, JPEG, GIF's first frame, BMP), decoded once
// and drawn scaled into a rectangle of a surface.

#include "platform/Types.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace plat {
class Surface;
}

namespace plat::web {

class PageImage {
public:
    // Pictures above this many pixels are refused before they are decoded,
    // whatever their file size: a small file may declare a huge image.
    static constexpr long long kMaxPixels = 2048LL * 2048;

    // An empty image when the bytes are not a picture of a known format,
    // are damaged, or declare more than kMaxPixels.
    static PageImage Decode(std::string_view bytes);

    bool IsEmpty() const { return m_width == 0; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // 0xAARRGGBB, row by row.
    const std::vector<std::uint32_t>& Pixels() const { return m_pixels; }

    // The image scaled to `dest` (surface coordinates), nearest pixel,
    // blended by its alpha; only the part inside `clip` is drawn.
    void Draw(Surface& surface, const Rect& dest, const Rect& clip) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

}
