#include "platform/gfx/Bitmap.h"

#include "platform/gfx/BmpDecoder.h"
#include "platform/res/Resources.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

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
    SurfacePool() { m_kept.reserve(kKept); }

    static SurfacePool& Instance()
    {
        static auto* pool = new SurfacePool;
        return *pool;
    }

    // A surface of that size with any pixels; empty when none is kept.
    Surface Take(int width, int height)
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_kept.begin(); it != m_kept.end(); ++it) {
            if (it->Width() == width && it->Height() == height) {
                Surface s = std::move(*it);
                m_kept.erase(it);
                return s;
            }
        }
        return {};
    }

    void Give(Surface surface)
    {
        if (surface.IsEmpty() || surface.IsView() || surface.BufferPixels() > kLargest)
            return;
        std::lock_guard lock(m_mutex);
        if (m_kept.size() < kKept)
            m_kept.push_back(std::move(surface));
    }

private:
    static constexpr std::size_t kKept = 8;
    static constexpr std::size_t kLargest = 256 * 256; // pixels

    std::mutex m_mutex;
    std::vector<Surface> m_kept;
};

}

BitmapData::~BitmapData()
{
    if (!shared)
        SurfacePool::Instance().Give(std::move(own));
}

bool Bitmap::CreateCompatibleBitmap(const DeviceContext&, int width, int height)
{
    m_data.reset();
    if (width <= 0 || height <= 0)
        return false;
    Surface kept = SurfacePool::Instance().Take(width, height);
    if (!kept.IsEmpty()) {
        m_data = std::make_shared<BitmapData>(std::move(kept), true);
        return true;
    }
    auto data = std::make_shared<BitmapData>(Surface(width, height));
    if (data->own.IsEmpty())
        return false;
    m_data = std::move(data);
    return true;
}

bool Bitmap::LoadBitmap(int id)
{
    m_data.reset();
    std::shared_ptr<const Surface> pixels = ResourcePixels(id);
    if (!pixels)
        return false;
    m_data = std::make_shared<BitmapData>(std::move(pixels));
    return true;
}

bool Bitmap::LoadFromBmp(std::span<const std::uint8_t> bytes)
{
    m_data.reset();
    Surface surface;
    std::string error;
    if (!DecodeBmp(bytes, surface, error))
        return false;
    m_data = std::make_shared<BitmapData>(std::move(surface));
    return true;
}

bool Bitmap::DeleteObject()
{
    const bool had = m_data != nullptr;
    m_data.reset();
    return had;
}

Size Bitmap::GetSize() const
{
    if (!m_data)
        return {};
    const Surface& pixels = m_data->shared ? *m_data->shared : m_data->own;
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
    if (!m_data)
        return nullptr;
    if (m_data->shared)
        return m_data->shared.get();
    ClearStale(*m_data);
    return &m_data->own;
}

Surface* Bitmap::PixelsToDrawOn(Coverage coverage)
{
    if (!m_data)
        return nullptr;
    if (coverage == Coverage::Whole)
        m_data->stale = false;
    ClearStale(*m_data);
    if (m_data->shared) {
        const Surface& shared = *m_data->shared;
        Surface copy(shared.Width(), shared.Height());
        if (copy.IsEmpty())
            return nullptr;
        for (int y = 0; y < shared.Height(); ++y)
            std::copy_n(shared.Row(y), shared.Width(), copy.Row(y));
        m_data->own = std::move(copy);
        m_data->shared.reset();
    }
    return &m_data->own;
}

}
