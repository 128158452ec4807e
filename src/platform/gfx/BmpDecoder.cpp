#include "platform/gfx/BmpDecoder.h"

#include "platform/gfx/Surface.h"

#include <bit>

namespace plat {

namespace {

// Bounds-checked little-endian reader; after the first read past the end
// every read yields 0 and ok() stays false.
class Cursor {
public:
    explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) { }

    void Seek(std::size_t at) { at_ = at; }
    std::uint32_t U16() { return Read(2); }
    std::uint32_t U32() { return Read(4); }
    std::int32_t S32() { return static_cast<std::int32_t>(Read(4)); }
    bool ok() const { return ok_; }

private:
    std::uint32_t Read(std::size_t n)
    {
        if (!ok_ || at_ > bytes_.size() || bytes_.size() - at_ < n) {
            ok_ = false;
            return 0;
        }
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i)
            v |= static_cast<std::uint32_t>(bytes_[at_ + i]) << (8 * i);
        at_ += n;
        return v;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

// The 8-bit value of a channel under `mask` (0 when the mask is empty).
std::uint32_t Channel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>((pixel & mask) >> shift) * 255 / max);
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

}

bool DecodeBmp(std::span<const std::uint8_t> bytes, DecodedBmp& out, std::string& error)
{
    out = {};
    Cursor c(bytes);
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
    if (!c.ok() || headerSize < 40) {
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

    std::uint32_t masks[4] = { 0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000 }; // red, green, blue, alpha
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (bitCount != 32) {
            error = "channel masks on a 24-bit bitmap";
            return false;
        }
        // The masks follow a 40-byte header, or sit inside a longer one.
        c.Seek(14 + 40);
        masks[0] = c.U32();
        masks[1] = c.U32();
        masks[2] = c.U32();
        masks[3] = (compression == kBiAlphaBitfields || headerSize >= 56) ? c.U32() : 0;
        if (!c.ok()) {
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
    out.argb.resize(static_cast<std::size_t>(width) * out.height);
    bool anyAlpha = false;
    for (int y = 0; y < out.height; ++y) {
        const std::uint8_t* row = bytes.data() + dataOffset + stride * (topDown ? y : out.height - 1 - y);
        std::uint32_t* dst = out.argb.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (bitCount == 24) {
                const std::uint8_t* p = row + 3 * x;
                dst[x] = 0xff000000u | (static_cast<std::uint32_t>(p[2]) << 16) | (p[1] << 8) | p[0];
                continue;
            }
            const std::uint8_t* p = row + 4 * x;
            const std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
            const std::uint32_t a = Channel(v, masks[3]);
            anyAlpha = anyAlpha || a != 0;
            dst[x] = (a << 24) | (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) | Channel(v, masks[2]);
        }
    }
    // A 32-bit file whose alpha is all zero carries no alpha: it is opaque.
    out.hasAlpha = anyAlpha;
    if (bitCount == 32 && !anyAlpha) {
        for (std::uint32_t& p : out.argb)
            p |= 0xff000000u;
    }
    return true;
}

}
