#pragma once

// Small pictures in each format the panel reads, made in memory.

#include <cstdint>
#include <string>
#include <vector>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace webtest {

enum class ImageFormat { Png, Jpeg, Bmp };

// A width x height picture of one colour (0xRRGGBB).
inline std::string SolidImage(ImageFormat format, int width, int height, std::uint32_t rgb)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back(static_cast<unsigned char>(rgb >> 16));
        pixels.push_back(static_cast<unsigned char>(rgb >> 8));
        pixels.push_back(static_cast<unsigned char>(rgb));
    }
    std::string out;
    auto sink = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
    };
    switch (format) {
    case ImageFormat::Png:
        stbi_write_png_to_func(sink, &out, width, height, 3, pixels.data(), width * 3);
        break;
    case ImageFormat::Jpeg:
        stbi_write_jpg_to_func(sink, &out, width, height, 3, pixels.data(), 95);
        break;
    case ImageFormat::Bmp:
        stbi_write_bmp_to_func(sink, &out, width, height, 3, pixels.data());
        break;
    }
    return out;
}

// A 1 x 1 GIF whose one pixel is red.
inline std::string RedGif()
{
    static const unsigned char kBytes[] = { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
        0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0, 0x3B };
    return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

// A PNG whose header declares width x height pixels over a few real ones.
inline std::string PngDeclaring(std::uint32_t width, std::uint32_t height)
{
    std::string png = SolidImage(ImageFormat::Png, 2, 2, 0x00FF00);
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    return png;
}

}
