#pragma once

// Builds small BMP files in memory for the decoder and image tests.

#include <cstdint>
#include <vector>

namespace plat::test {

inline void Put(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// rows: top row first, 0xAARRGGBB. height < 0 stores the rows top-down.
inline std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, const std::vector<std::uint32_t>& argb,
    std::uint32_t compression = 0)
{
    const int rows = height < 0 ? -height : height;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t masks = compression == 3 ? 12 : 0;
    const std::size_t offset = 14 + 40 + masks;
    std::vector<std::uint8_t> b(offset + stride * rows, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, static_cast<std::uint32_t>(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<std::uint32_t>(width), 4);
    Put(b, 22, static_cast<std::uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<std::uint32_t>(bits), 2);
    Put(b, 30, compression, 4);
    if (compression == 3) {
        Put(b, 54, 0x00ff0000, 4);
        Put(b, 58, 0x0000ff00, 4);
        Put(b, 62, 0x000000ff, 4);
    }
    for (int y = 0; y < rows; ++y) {
        const int fileRow = height < 0 ? y : rows - 1 - y;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
            Put(b, offset + stride * fileRow + static_cast<std::size_t>(x) * (bits / 8), p, bits / 8);
        }
    }
    return b;
}

}
