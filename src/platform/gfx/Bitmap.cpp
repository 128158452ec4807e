#include "platform/gfx/Bitmap.h"

#include "platform/gfx/BmpDecoder.h"
#include "platform/res/Resources.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>
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

// Memory of released off-screen bitmaps: a widget makes and releases one of
// its own size on every repaint.
class SurfacePool {
public:
    SurfacePool() { kept_.reserve(kKept); }

    static SurfacePool& Instance()
    {
        static auto* pool = new SurfacePool;
        return *pool;
    }

    // A surface of that size with any pixels; empty when none is kept.
    Surface Take(int width, int height)
    {
        std::lock_guard lock(mutex_);
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->Width() == width && it->Height() == height) {
                Surface s = std::move(*it);
                kept_.erase(it);
                return s;
            }
        }
        return {};
    }

    void Give(Surface surface)
    {
        if (surface.IsEmpty() || surface.IsView() || surface.BufferPixels() > kLargest)
            return;
        std::lock_guard lock(mutex_);
        if (kept_.size() < kKept)
            kept_.push_back(std::move(surface));
    }

private:
    static constexpr std::size_t kKept = 8;
    static constexpr std::size_t kLargest = 256 * 256; // pixels

    std::mutex mutex_;
    std::vector<Surface> kept_;
};

}

BitmapData::~BitmapData()
{
    if (!shared)
        SurfacePool::Instance().Give(std::move(own));
}

bool Bitmap::CreateCompatibleBitmap(const DeviceContext&, int width, int height)
{
    data_.reset();
    if (width <= 0 || height <= 0)
        return false;
    Surface kept = SurfacePool::Instance().Take(width, height);
    if (!kept.IsEmpty()) {
        data_ = std::make_shared<BitmapData>(std::move(kept), true);
        return true;
    }
    auto data = std::make_shared<BitmapData>(Surface(width, height));
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
    data_ = std::make_shared<BitmapData>(std::move(pixels));
    return true;
}

bool Bitmap::LoadFromBmp(std::span<const std::uint8_t> bytes)
{
    data_.reset();
    Surface surface;
    std::string error;
    if (!DecodeBmp(bytes, surface, error))
        return false;
    data_ = std::make_shared<BitmapData>(std::move(surface));
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
    if (!data_)
        return {};
    const Surface& pixels = data_->shared ? *data_->shared : data_->own;
    return { pixels.Width(), pixels.Height() };
}

namespace {

void ClearStale(BitmapData& data)
{
    if (!data.stale)
        return;
    std::memset(data.own.Data(), 0, data.own.BufferPixels() * sizeof(std::uint32_t));
    data.stale = false;
}

}

const Surface* Bitmap::Pixels() const
{
    if (!data_)
        return nullptr;
    if (data_->shared)
        return data_->shared.get();
    ClearStale(*data_);
    return &data_->own;
}

Surface* Bitmap::PixelsToDrawOn(Coverage coverage)
{
    if (!data_)
        return nullptr;
    if (coverage == Coverage::Whole)
        data_->stale = false;
    ClearStale(*data_);
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
