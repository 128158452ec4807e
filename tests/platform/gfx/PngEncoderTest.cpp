// PNG files read back by an independent decoder, pixel for pixel.

#include "platform/gfx/PngEncoder.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <gtest/gtest.h>

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
        int w = 0, h = 0, channels = 0;
        stbi_uc* rgb = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
            &w, &h, &channels, 3);
        ASSERT_NE(rgb, nullptr);
        ASSERT_EQ(w, width);
        ASSERT_EQ(h, height);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const stbi_uc* p = rgb + (y * width + x) * 3;
                wrong += ((p[0] << 16) | (p[1] << 8) | p[2]) != static_cast<int>(surface.Pixel(x, y));
            }
        stbi_image_free(rgb);
        EXPECT_EQ(wrong, 0);
    }
    std::string png = "stale";
    EXPECT_FALSE(plat::EncodePng(plat::Surface(), &png));
    EXPECT_EQ(png, "");
}

}
