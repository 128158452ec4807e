#pragma once

// Small pictures in each format the panel reads, made in memory.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

namespace webtest {

enum class ImageFormat { Png,
    Jpeg,
    Bmp };

inline void PutLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i)));
}

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
    if (format == ImageFormat::Png) {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(width);
        image.height = static_cast<png_uint_32>(height);
        image.format = PNG_FORMAT_RGB;
        png_alloc_size_t size = 0;
        png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
        out.resize(size);
        png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr);
        out.resize(size);
    } else if (format == ImageFormat::Jpeg) {
        jpeg_compress_struct info = {};
        jpeg_error_mgr errors = {};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char* buffer = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &buffer, &size);
        info.image_width = static_cast<JDIMENSION>(width);
        info.image_height = static_cast<JDIMENSION>(height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, 95, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.next_scanline) * width * 3;
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        out.assign(reinterpret_cast<const char*>(buffer), size);
        std::free(buffer);
    } else {
        const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
        out = "BM";
        PutLe(out, 54 + stride * height, 4);
        PutLe(out, 0, 4);
        PutLe(out, 54, 4);
        PutLe(out, 40, 4);
        PutLe(out, width, 4);
        PutLe(out, height, 4);
        PutLe(out, 1, 2);
        PutLe(out, 24, 2);
        for (int i = 0; i < 6; ++i)
            PutLe(out, 0, 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                PutLe(out, rgb, 3);
            out.append(stride - width * 3, '\0');
        }
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

// `png` with its header changed to declare width x height pixels, its
// checksum made again so that only the size is wrong.
inline std::string WithPngSize(std::string png, std::uint32_t width, std::uint32_t height)
{
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<char>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<char>(height >> (24 - 8 * i));
    }
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
    return png;
}

// A PNG whose header declares width x height pixels over a few real ones.
inline std::string PngDeclaring(std::uint32_t width, std::uint32_t height)
{
    return WithPngSize(SolidImage(ImageFormat::Png, 2, 2, 0x00FF00), width, height);
}

}
