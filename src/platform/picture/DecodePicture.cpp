#include "platform/picture/PictureDecoders.h"

#include "platform/ByteCursor.h"
#include "platform/gfx/BmpDecoder.h"

#include <algorithm>
#include <string_view>

namespace plat {

namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view signature)
{
    return bytes.size() >= signature.size()
        && std::equal(signature.begin(), signature.end(), bytes.begin(),
            [](char s, std::uint8_t b) { return static_cast<std::uint8_t>(s) == b; });
}

}

PictureFormat SniffPictureFormat(std::span<const std::uint8_t> bytes)
{
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (StartsWith(bytes, "\xFF\xD8\xFF"))
        return PictureFormat::Jpeg;
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a"))
        return PictureFormat::Gif;
    if (StartsWith(bytes, "BM"))
        return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

std::string PictureSizeError(long long width, long long height, long long maxPixels)
{
    // Declared sides fit in 32 bits, so the product cannot overflow.
    if (width <= 0 || height <= 0 || width * height > maxPixels)
        return "picture declares " + std::to_string(width) + " x " + std::to_string(height) + " pixels (at most "
            + std::to_string(maxPixels) + " in all)";
    return {};
}

bool DecodeBmpPicture(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error)
{
    out = {};
    ByteCursor header(bytes);
    header.Seek(18);
    const long long width = header.S32();
    const long long height = header.S32();
    if (header.Failed()) {
        error = "bitmap header truncated";
        return false;
    }
    // Rows stored top-down carry a negative height.
    error = PictureSizeError(width, height < 0 ? -height : height, maxPixels);
    if (!error.empty())
        return false;
    DecodedBmp bmp;
    if (!DecodeBmp(bytes, bmp, error))
        return false;
    out.width = bmp.width;
    out.height = bmp.height;
    out.argb = std::move(bmp.argb);
    return true;
}

bool DecodePicture(std::span<const std::uint8_t> bytes, long long maxPixels, DecodedPicture& out, std::string& error)
{
    switch (SniffPictureFormat(bytes)) {
    case PictureFormat::Png:
        return DecodePng(bytes, maxPixels, out, error);
    case PictureFormat::Jpeg:
        return DecodeJpeg(bytes, maxPixels, out, error);
    case PictureFormat::Gif:
        return DecodeGif(bytes, maxPixels, out, error);
    case PictureFormat::Bmp:
        return DecodeBmpPicture(bytes, maxPixels, out, error);
    case PictureFormat::Unknown:
        break;
    }
    out = {};
    error = "not a PNG, JPEG, GIF or BMP file";
    return false;
}

}
