#include "platform/gfx/PngEncoder.h"

#include <zlib.h>

#include <cstdint>
#include <string_view>

namespace plat {

namespace {

void PutU32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

// Length, type, data and the CRC-32 of type and data.
void PutChunk(std::string& out, std::string_view type, std::string_view data)
{
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.append(type);
    out.append(data);
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(out.data() + typeAt), static_cast<uInt>(out.size() - typeAt));
    PutU32(out, static_cast<std::uint32_t>(crc));
}

}

bool EncodePng(const Surface& surface, std::string* png)
{
    png->clear();
    if (surface.IsEmpty())
        return false;
    int width = surface.Width();
    int height = surface.Height();

    // Each row: filter type 0, then red, green, blue per pixel.
    std::string raw;
    raw.reserve(static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw += '\0';
        const std::uint32_t* row = surface.Row(y);
        for (int x = 0; x < width; ++x) {
            raw += static_cast<char>((row[x] >> 16) & 0xFF);
            raw += static_cast<char>((row[x] >> 8) & 0xFF);
            raw += static_cast<char>(row[x] & 0xFF);
        }
    }
    std::string compressed(compressBound(static_cast<uLong>(raw.size())), '\0');
    uLongf compressedSize = static_cast<uLongf>(compressed.size());
    if (compress2(reinterpret_cast<Bytef*>(compressed.data()), &compressedSize,
            reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION)
        != Z_OK)
        return false;
    compressed.resize(compressedSize);

    std::string header;
    PutU32(header, static_cast<std::uint32_t>(width));
    PutU32(header, static_cast<std::uint32_t>(height));
    header += '\x08';               // bits per channel
    header += '\x02';               // RGB
    header += std::string(3, '\0'); // deflate, adaptive filtering, no interlace

    std::string out("\x89PNG\r\n\x1a\n", 8);
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", compressed);
    PutChunk(out, "IEND", {});
    *png = std::move(out);
    return true;
}

}
