// PNG files read back by an independent decoder, pixel for pixel.

#include "platform/gfx/PngEncoder.h"

#include <png.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PngEncoderTest, DecodesToTheSamePixels)
{
    for (auto [width, height] : { std::pair { 1, 1 }, { 7, 3 }, { 480, 270 } }) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        plat::Surface surface(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                surface.Row(y)[x] = static_cast<std::uint32_t>((x * 37 + y * 101) * 2654435761u) & 0xFFFFFFu;
        std::string png;
        ASSERT_TRUE(plat::EncodePng(surface, &png));
        png_image image {};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size())) << image.message;
        ASSERT_EQ(static_cast<int>(image.width), width);
        ASSERT_EQ(static_cast<int>(image.height), height);
        image.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char* p = rgb.data() + (y * width + x) * 3;
                wrong += ((p[0] << 16) | (p[1] << 8) | p[2]) != static_cast<int>(surface.Pixel(x, y));
            }
        EXPECT_EQ(wrong, 0);
    }
    std::string png = "stale";
    EXPECT_FALSE(plat::EncodePng(plat::Surface(), &png));
    EXPECT_EQ(png, "");
}

}
