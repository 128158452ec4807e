#include "platform/web/PageImage.h"

#include "platform/gfx/Surface.h"

#include <algorithm>
#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 16384
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace plat::web {

namespace {

std::uint32_t Blend(std::uint32_t under, std::uint32_t over)
{
    std::uint32_t a = over >> 24;
    if (a == 255)
        return over & 0xFFFFFF;
    if (a == 0)
        return under;
    auto mix = [a](std::uint32_t u, std::uint32_t o) { return (o * a + u * (255 - a) + 127) / 255; };
    std::uint32_t r = mix((under >> 16) & 0xFF, (over >> 16) & 0xFF);
    std::uint32_t g = mix((under >> 8) & 0xFF, (over >> 8) & 0xFF);
    std::uint32_t b = mix(under & 0xFF, over & 0xFF);
    return (r << 16) | (g << 8) | b;
}

}

PageImage PageImage::Decode(std::string_view bytes)
{
    PageImage image;
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX))
        return image;
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    int length = static_cast<int>(bytes.size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels) || width <= 0 || height <= 0
        || static_cast<long long>(width) * height > kMaxPixels)
        return image;
    stbi_uc* rgba = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (!rgba)
        return image;
    if (static_cast<long long>(width) * height <= kMaxPixels) {
        std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        image.m_pixels.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            const stbi_uc* p = rgba + i * 4;
            image.m_pixels[i] = (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        }
        image.m_width = width;
        image.m_height = height;
    }
    stbi_image_free(rgba);
    return image;
}

void PageImage::Draw(Surface& surface, const Rect& dest, const Rect& clip) const
{
    if (IsEmpty() || dest.IsEmpty())
        return;
    Rect area = dest.Intersected(clip).Intersected(surface.Bounds());
    if (area.IsEmpty())
        return;
    long long dw = dest.Width();
    long long dh = dest.Height();
    for (int y = area.top; y < area.bottom; ++y) {
        auto sy = static_cast<std::size_t>((y - dest.top) * static_cast<long long>(m_height) / dh);
        const std::uint32_t* source = m_pixels.data() + sy * static_cast<std::size_t>(m_width);
        std::uint32_t* row = surface.Row(y);
        for (int x = area.left; x < area.right; ++x) {
            auto sx = static_cast<std::size_t>((x - dest.left) * static_cast<long long>(m_width) / dw);
            row[x] = Blend(row[x], source[sx]);
        }
    }
}

}
