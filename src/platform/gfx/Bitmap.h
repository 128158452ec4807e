#pragma once

// A 32-bit bitmap that a memory context draws on. Copies share one bitmap,
// like copies of a handle.

#include "platform/Types.h"
#include "platform/gfx/Surface.h"

#include <cstdint>
#include <memory>
#include <span>

namespace plat {

class DeviceContext;

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
    bool IsNull() const { return !surface_; }

    Size GetSize() const;
    // The pixels (0x00RRGGBB), or null for a null bitmap.
    const Surface* Pixels() const { return surface_.get(); }

    const std::shared_ptr<Surface>& Data() const { return surface_; }
    static Bitmap FromData(std::shared_ptr<Surface> surface);

private:
    std::shared_ptr<Surface> surface_;
};

}
