#include "platform/gfx/BmpDecoder.h"

#include "platform/ByteCursor.h"
#include "platform/gfx/Surface.h"

#include <bit>
#include <cstring>

namespace plat {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

// One channel under a mask, scaled to 8 bits; an empty mask reads as 0.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 1;

    explicit Channel(std::uint32_t m)
    {
        if (m == 0)
            return;
        mask = m;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    std::uint32_t Read(std::uint32_t pixel) const
    {
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>((pixel & mask) >> shift) * 255 / max);
    }
};

// What the header says about the pixels, checked against the file.
struct Layout {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool topDown = false;
    std::size_t stride = 0;                                                      // bytes per stored row
    const std::uint8_t* pixels = nullptr;                                        // the first stored row
    std::uint32_t masks[4] = { 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000 }; // red, green, blue, alpha

    const std::uint8_t* Row(int y) const { return pixels + stride * (topDown ? y : height - 1 - y); }
    // Bytes laid out as B, G, R and A (or nothing): a row is the 0xAARRGGBB
    // pixels as they are, less any alpha.
    bool PlainThirtyTwo() const
    {
        return bitCount == 32 && masks[0] == 0x00ff0000 && masks[1] == 0x0000ff00 && masks[2] == 0x000000ff
            && (masks[3] == 0xff000000 || masks[3] == 0);
    }
};

bool ReadLayout(std::span<const std::uint8_t> bytes, Layout& out, std::string& error)
{
    ByteCursor c(bytes);
    if (c.U16() != 0x4D42) { // "BM"
        error = "not a bitmap file: no BM signature";
        return false;
    }
    c.Seek(10);
    const std::uint32_t dataOffset = c.U32();
    const std::uint32_t headerSize = c.U32();
    const std::int32_t width = c.S32();
    const std::int32_t signedHeight = c.S32();
    c.U16(); // planes
    const std::uint32_t bitCount = c.U16();
    const std::uint32_t compression = c.U32();
    if (c.Failed() || headerSize < 40) {
        error = "bitmap header truncated or too small";
        return false;
    }
    const bool topDown = signedHeight < 0;
    const long long height = topDown ? -static_cast<long long>(signedHeight) : signedHeight;
    if (width <= 0 || height <= 0 || width > Surface::kMaxSide || height > Surface::kMaxSide) {
        error = "bitmap size " + std::to_string(width) + " x " + std::to_string(height) + " out of range";
        return false;
    }
    if (bitCount != 24 && bitCount != 32) {
        error = "unsupported bit count " + std::to_string(bitCount) + " (expected 24 or 32)";
        return false;
    }

    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (bitCount != 32) {
            error = "channel masks on a 24-bit bitmap";
            return false;
        }
        // The masks follow a 40-byte header, or sit inside a longer one.
        c.Seek(14 + 40);
        out.masks[0] = c.U32();
        out.masks[1] = c.U32();
        out.masks[2] = c.U32();
        out.masks[3] = (compression == kBiAlphaBitfields || headerSize >= 56) ? c.U32() : 0;
        if (c.Failed()) {
            error = "bitmap channel masks truncated";
            return false;
        }
    } else if (compression != kBiRgb) {
        error = "unsupported compression " + std::to_string(compression);
        return false;
    }

    const std::size_t stride = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
    if (dataOffset > bytes.size() || (bytes.size() - dataOffset) / stride < static_cast<std::size_t>(height)) {
        error = "bitmap pixel data truncated: " + std::to_string(stride * height) + " bytes expected at offset "
            + std::to_string(dataOffset) + ", file has " + std::to_string(bytes.size());
        return false;
    }
    out.width = width;
    out.height = static_cast<int>(height);
    out.bitCount = static_cast<int>(bitCount);
    out.topDown = topDown;
    out.stride = stride;
    out.pixels = bytes.data() + dataOffset;
    return true;
}

std::uint32_t Load32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// 24-bit B, G, R triples to 0x00RRGGBB | fill: four pixels from three words.
void Row24(const std::uint8_t* src, std::uint32_t* dst, int width, std::uint32_t fill)
{
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12) {
        const std::uint32_t w0 = Load32(src);
        const std::uint32_t w1 = Load32(src + 4);
        const std::uint32_t w2 = Load32(src + 8);
        dst[x] = (w0 & 0xffffff) | fill;
        dst[x + 1] = (w0 >> 24 | (w1 & 0xffff) << 8) | fill;
        dst[x + 2] = (w1 >> 16 | (w2 & 0xff) << 16) | fill;
        dst[x + 3] = (w2 >> 8) | fill;
    }
    for (; x < width; ++x, src += 3)
        dst[x] = (src[0] | src[1] << 8 | static_cast<std::uint32_t>(src[2]) << 16) | fill;
}

// 32-bit pixels under any masks to 0xAARRGGBB & keep.
void RowMasked(const Layout& layout, const std::uint8_t* src, std::uint32_t* dst, std::uint32_t keep)
{
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    const Channel alpha(layout.masks[3]);
    for (int x = 0; x < layout.width; ++x) {
        const std::uint32_t v = Load32(src + 4 * x);
        dst[x] = (alpha.Read(v) << 24 | red.Read(v) << 16 | green.Read(v) << 8 | blue.Read(v)) & keep;
    }
}

// Row y as 0xAARRGGBB: a 24-bit file's pixels get `opaque` as their alpha,
// a 32-bit file's keep the bits of `keep`.
void DecodeRow(const Layout& layout, int y, std::uint32_t* dst, std::uint32_t opaque, std::uint32_t keep)
{
    const std::uint8_t* src = layout.Row(y);
    if (layout.bitCount == 24) {
        Row24(src, dst, layout.width, opaque);
    } else if (layout.PlainThirtyTwo()) {
        keep &= 0x00ffffff | layout.masks[3];
        for (int x = 0; x < layout.width; ++x)
            dst[x] = Load32(src + 4 * x) & keep;
    } else {
        RowMasked(layout, src, dst, keep);
    }
}

}

bool DecodeBmp(std::span<const std::uint8_t> bytes, DecodedBmp& out, std::string& error)
{
    out = {};
    Layout layout;
    if (!ReadLayout(bytes, layout, error))
        return false;
    out.width = layout.width;
    out.height = layout.height;
    out.argb.resize(static_cast<std::size_t>(layout.width) * layout.height);
    for (int y = 0; y < layout.height; ++y)
        DecodeRow(layout, y, out.argb.data() + static_cast<std::size_t>(y) * layout.width, 0xff000000u, 0xffffffffu);
    if (layout.bitCount == 24)
        return true;
    // A 32-bit file whose alpha is all zero carries no alpha: it is opaque.
    std::uint32_t alphaBits = 0;
    for (std::uint32_t p : out.argb)
        alphaBits |= p;
    out.hasAlpha = (alphaBits >> 24) != 0;
    if (!out.hasAlpha) {
        for (std::uint32_t& p : out.argb)
            p |= 0xff000000u;
    }
    return true;
}

bool DecodeBmp(std::span<const std::uint8_t> bytes, Surface& out, std::string& error)
{
    out = Surface();
    Layout layout;
    if (!ReadLayout(bytes, layout, error))
        return false;
    Surface surface(layout.width, layout.height);
    if (surface.IsEmpty()) {
        error = "out of memory for a " + std::to_string(layout.width) + " x " + std::to_string(layout.height) + " bitmap";
        return false;
    }
    for (int y = 0; y < layout.height; ++y)
        DecodeRow(layout, y, surface.Row(y), 0, 0x00ffffff);
    out = std::move(surface);
    return true;
}

}
