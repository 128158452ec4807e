#pragma once

// An icon with an alpha channel, drawn blended over what is beneath.

#include <cstdint>
#include <span>
#include <vector>

namespace plat {

class Icon {
public:
    Icon() = default;

    // Icon resource `id` (res/icon/<id>.bmp): a 32-bit bitmap with alpha.
    bool LoadIcon(int id);
    // The same from the bytes of a BMP file (24-bit files are fully opaque).
    bool LoadFromBmp(std::span<const std::uint8_t> bytes);
    bool IsNull() const { return m_width == 0; }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels as 0xAARRGGBB, straight alpha, top row first.
    const std::vector<std::uint32_t>& Argb() const { return m_argb; }
    // The icon box-filtered to size x size (e.g. kSmallIconSize); empty for a null icon.
    std::vector<std::uint32_t> ScaledArgb(int size) const;

private:
    std::vector<std::uint32_t> m_argb;
    int m_width = 0;
    int m_height = 0;
};

}
