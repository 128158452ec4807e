#include "platform/gfx/Bitmap.h"

#include "platform/gfx/BmpDecoder.h"
#include "platform/res/Resources.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace plat {

namespace {

// Resources never change, so each is decoded once, by whichever thread asks
// first, and shared from then on. Null for a resource that does not decode.
std::shared_ptr<const Surface> ResourcePixels(int id)
{
    static std::mutex mutex;
    static auto* decoded = new std::map<int, std::shared_ptr<const Surface>>;
    std::lock_guard lock(mutex);
    if (auto it = decoded->find(id); it != decoded->end())
        return it->second;
    std::shared_ptr<const Surface> pixels;
    Surface surface;
    std::string error;
    if (DecodeBmp(res::Find(res::Kind::Bitmap, id), surface, error))
        pixels = std::make_shared<const Surface>(std::move(surface));
    (*decoded)[id] = pixels;
    return pixels;
}

}

bool Bitmap::CreateCompatibleBitmap(const DeviceContext&, int width, int height)
{
    data_.reset();
    if (width <= 0 || height <= 0)
        return false;
    auto data = std::make_shared<BitmapData>(BitmapData { Surface(width, height), nullptr });
    if (data->own.IsEmpty())
        return false;
    data_ = std::move(data);
    return true;
}

bool Bitmap::LoadBitmap(int id)
{
    data_.reset();
    std::shared_ptr<const Surface> pixels = ResourcePixels(id);
    if (!pixels)
        return false;
    data_ = std::make_shared<BitmapData>(BitmapData { Surface(), std::move(pixels) });
    return true;
}

bool Bitmap::LoadFromBmp(std::span<const std::uint8_t> bytes)
{
    data_.reset();
    Surface surface;
    std::string error;
    if (!DecodeBmp(bytes, surface, error))
        return false;
    data_ = std::make_shared<BitmapData>(BitmapData { std::move(surface), nullptr });
    return true;
}

bool Bitmap::DeleteObject()
{
    const bool had = data_ != nullptr;
    data_.reset();
    return had;
}

Size Bitmap::GetSize() const
{
    const Surface* pixels = Pixels();
    if (!pixels)
        return {};
    return { pixels->Width(), pixels->Height() };
}

const Surface* Bitmap::Pixels() const
{
    if (!data_)
        return nullptr;
    return data_->shared ? data_->shared.get() : &data_->own;
}

Surface* Bitmap::PixelsToDrawOn()
{
    if (!data_)
        return nullptr;
    if (data_->shared) {
        const Surface& shared = *data_->shared;
        Surface copy(shared.Width(), shared.Height());
        if (copy.IsEmpty())
            return nullptr;
        for (int y = 0; y < shared.Height(); ++y)
            std::copy_n(shared.Row(y), shared.Width(), copy.Row(y));
        data_->own = std::move(copy);
        data_->shared.reset();
    }
    return &data_->own;
}

}
