#include "platform/web/PageImage.h"

#include "platform/gfx/Surface.h"
#include "platform/picture/PictureDecoders.h"

#include <string>

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
    DecodedPicture picture;
    std::string error;
    if (!DecodePicture({ reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() }, kMaxPixels, picture, error))
        return image;
    image.m_width = picture.width;
    image.m_height = picture.height;
    image.m_pixels = std::move(picture.argb);
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
