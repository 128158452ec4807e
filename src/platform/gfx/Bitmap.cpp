#include "platform/gfx/Bitmap.h"

#include "platform/gfx/BmpDecoder.h"
#include "platform/res/Resources.h"

namespace plat {

bool Bitmap::CreateCompatibleBitmap(const DeviceContext&, int width, int height)
{
    surface_.reset();
    if (width <= 0 || height <= 0)
        return false;
    auto surface = std::make_shared<Surface>(width, height);
    if (surface->IsEmpty())
        return false;
    surface_ = std::move(surface);
    return true;
}

bool Bitmap::LoadBitmap(int id)
{
    return LoadFromBmp(res::Find(res::Kind::Bitmap, id));
}

bool Bitmap::LoadFromBmp(std::span<const std::uint8_t> bytes)
{
    surface_.reset();
    DecodedBmp bmp;
    std::string error;
    if (!DecodeBmp(bytes, bmp, error))
        return false;
    auto surface = std::make_shared<Surface>(bmp.width, bmp.height);
    if (surface->IsEmpty())
        return false;
    for (int y = 0; y < bmp.height; ++y) {
        std::uint32_t* row = surface->Row(y);
        for (int x = 0; x < bmp.width; ++x)
            row[x] = bmp.argb[static_cast<std::size_t>(y) * bmp.width + x] & 0xffffff;
    }
    surface_ = std::move(surface);
    return true;
}

bool Bitmap::DeleteObject()
{
    const bool had = surface_ != nullptr;
    surface_.reset();
    return had;
}

Size Bitmap::GetSize() const
{
    if (!surface_)
        return {};
    return { surface_->Width(), surface_->Height() };
}

Bitmap Bitmap::FromData(std::shared_ptr<Surface> surface)
{
    Bitmap bitmap;
    bitmap.surface_ = std::move(surface);
    return bitmap;
}

}
