#pragma once

// Reads Windows bitmap files: uncompressed 24-bit, and 32-bit with or without
// channel masks; bottom-up or top-down rows.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plat {

class Surface;

struct DecodedBmp {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // 0xAARRGGBB, top row first
    bool hasAlpha = false;           // a 32-bit file with any nonzero alpha
};

// False with a reason in `error` for anything malformed, truncated or unsupported.
bool DecodeBmp(std::span<const std::uint8_t> bytes, DecodedBmp& out, std::string& error);

// The same straight into a new surface of the bitmap's size, as 0x00RRGGBB
// (alpha dropped); `out` is left empty on failure.
bool DecodeBmp(std::span<const std::uint8_t> bytes, Surface& out, std::string& error);

}
