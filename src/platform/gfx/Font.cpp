#include "platform/gfx/Font.h"

#include "platform/gfx/FontFace.h"

#include <cstdlib>

namespace plat {

bool Font::CreateFont(int height, int width, int, int, int weight, unsigned char, unsigned char underline,
    unsigned char strikeOut, unsigned char, unsigned char, unsigned char, unsigned char, unsigned char,
    std::string_view faceName)
{
    m_data.reset();
    constexpr int kLargest = 1024;
    const int pixelHeight = height == 0 ? 12 : (height < -kLargest || height > kLargest ? kLargest : std::abs(height));
    const int pixelWidth = width < -kLargest || width > kLargest ? kLargest : std::abs(width);
    auto face = FindFontFace(faceName, pixelHeight, pixelWidth, weight >= 600);
    if (!face)
        return false;
    m_data = std::make_shared<const FontData>(FontData { std::move(face), underline != 0, strikeOut != 0 });
    return true;
}

std::string Font::FamilyName() const
{
    return m_data && m_data->face ? m_data->face->Family() : std::string();
}

int Font::PixelSize() const
{
    return m_data && m_data->face ? m_data->face->PixelSize() : 0;
}

}
