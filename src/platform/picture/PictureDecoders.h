#pragma once

// Pictures from bytes nobody vouches for (a web page's): PNG, JPEG, GIF's
// first frame and BMP. Every decoder checks the size a file declares against
// `maxPixels` before it makes any pixel buffer, and a failure inside a
// library ends through that library's own error path. Output is 8-bit
// samples taken as sRGB: palettes and grey expanded, 16-bit samples rounded
// to 8, interlaced and progressive files whole, orientation tags ignored.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace plat {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // 0xAARRGGBB, not premultiplied, top row first
};

enum class PictureFormat { Unknown,
    Png,
    Jpeg,
    Gif,
    Bmp };

// The format the bytes' signature names; a server's stated type is not
// asked, as it is often wrong.
PictureFormat SniffPictureFormat(std::span<const std::uint8_t> bytes);

// Each decoder: true with `out` filled, or false with `out` empty and the
// reason in `error`.
bool DecodePng(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error);
bool DecodeJpeg(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error);
// The first frame, placed on the file's canvas; what it leaves uncovered
// is transparent.
bool DecodeGif(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error);
bool DecodeBmpPicture(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error);
// Whichever of the above the signature names.
bool DecodePicture(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error);

// Why a declared width x height may not be decoded (empty, or above
// `maxPixels`); empty when it may.
std::string PictureSizeError(long long width, long long height, long long maxPixels);

}
