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
    bool IsNull() const { return width_ == 0; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Pixels as 0xAARRGGBB, straight alpha, top row first.
    const std::vector<std::uint32_t>& Argb() const { return argb_; }
    // The icon box-filtered to size x size (e.g. kSmallIconSize); empty for a null icon.
    std::vector<std::uint32_t> ScaledArgb(int size) const;

private:
    std::vector<std::uint32_t> argb_;
    int width_ = 0;
    int height_ = 0;
};

}
