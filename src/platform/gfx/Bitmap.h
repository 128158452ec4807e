#pragma once

// A 32-bit bitmap that a memory context draws on. Copies share one bitmap,
// like copies of a handle. Bitmap resources are decoded once per process:
// bitmaps loaded from one resource share its pixels until one of them is
// drawn on, which then takes a copy of its own first. The memory of small
// released bitmaps is kept for the next bitmap of the same size, which is
// cleared to black when first looked at or drawn on, unless that drawing
// covers it whole.

#include "platform/Types.h"
#include "platform/gfx/Surface.h"

#include <cstdint>
#include <memory>
#include <span>

namespace plat {

class DeviceContext;

// How much of a bitmap a drawing call is about to cover.
enum class Coverage { Part,
    Whole };

struct BitmapData {
    explicit BitmapData(Surface pixels, bool stale = false)
        : own(std::move(pixels))
        , stale(stale)
    {
    }
    explicit BitmapData(std::shared_ptr<const Surface> pixels)
        : shared(std::move(pixels))
    {
    }
    ~BitmapData();
    BitmapData(const BitmapData&) = delete;
    BitmapData& operator=(const BitmapData&) = delete;

    Surface own;                           // the pixels, unless shared
    std::shared_ptr<const Surface> shared; // a resource's pixels, never drawn on
    bool stale = false;                    // `own` holds a released bitmap's pixels: black for us
};

class Bitmap {
public:
    Bitmap() = default;

    // A black width x height bitmap; fails on an empty, negative or too large size.
    bool CreateCompatibleBitmap(const DeviceContext& dc, int width, int height);
    // Bitmap resource `id` (res/bitmap/<id>.bmp): 24-bit or 32-bit, bottom-up or top-down.
    bool LoadBitmap(int id);
    // The same from the bytes of a BMP file.
    bool LoadFromBmp(std::span<const std::uint8_t> bytes);
    bool DeleteObject();
    bool IsNull() const { return !m_data; }

    Size GetSize() const;
    // The pixels (0x00RRGGBB), or null for a null bitmap.
    const Surface* Pixels() const;
    // True while the pixels are a resource's, shared with other bitmaps.
    bool SharesPixels() const { return m_data && m_data->shared; }
    // True while the pixels must be made ready before drawing: a resource's,
    // shared with other bitmaps, or not yet cleared.
    bool NeedsPreparing() const { return m_data && (m_data->shared || m_data->stale); }
    // The pixels to draw on: shared pixels are copied first, for this bitmap
    // and its copies, and pixels not yet cleared are cleared unless the
    // drawing covers them whole. Null for a null bitmap or when memory runs out.
    Surface* PixelsToDrawOn(Coverage coverage = Coverage::Part);

    // Identifies the bitmap: equal for copies of one bitmap.
    const std::shared_ptr<BitmapData>& Data() const { return m_data; }

private:
    std::shared_ptr<BitmapData> m_data;
};

}
