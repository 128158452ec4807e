#include "platform/gfx/Icon.h"

#include "platform/gfx/BmpDecoder.h"
#include "platform/gfx/IconScale.h"
#include "platform/res/Resources.h"

namespace plat {

bool Icon::LoadIcon(int id)
{
    return LoadFromBmp(res::Find(res::Kind::Icon, id));
}

bool Icon::LoadFromBmp(std::span<const std::uint8_t> bytes)
{
    m_argb.clear();
    m_width = 0;
    m_height = 0;
    DecodedBmp bmp;
    std::string error;
    if (!DecodeBmp(bytes, bmp, error))
        return false;
    m_argb = std::move(bmp.argb);
    m_width = bmp.width;
    m_height = bmp.height;
    return true;
}

std::vector<std::uint32_t> Icon::ScaledArgb(int size) const
{
    return ScaleArgb(m_argb, m_width, m_height, size, size);
}

}
