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
    argb_.clear();
    width_ = 0;
    height_ = 0;
    DecodedBmp bmp;
    std::string error;
    if (!DecodeBmp(bytes, bmp, error))
        return false;
    argb_ = std::move(bmp.argb);
    width_ = bmp.width;
    height_ = bmp.height;
    return true;
}

std::vector<std::uint32_t> Icon::ScaledArgb(int size) const
{
    return ScaleArgb(argb_, width_, height_, size, size);
}

}
