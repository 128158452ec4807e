#include "platform/gfx/DeviceContext.h"

#include "platform/gfx/FontFace.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/IconScale.h"
#include "platform/gfx/Raster.h"
#include "platform/gfx/Surface.h"

#include <utility>

namespace plat {

namespace {

// What a fresh memory context holds: stands for the 1 x 1 monochrome bitmap,
// on which nothing visible can be drawn.
const Bitmap& StockBitmap()
{
    static const Bitmap stock = [] {
        Bitmap bitmap;
        bitmap.CreateCompatibleBitmap(DeviceContext(), 1, 1);
        return bitmap;
    }();
    return stock;
}

}

DeviceContext::DeviceContext(Surface& surface)
{
    Attach(&surface, surface.Bounds());
}

DeviceContext::DeviceContext(Surface& surface, Rect area)
{
    Attach(&surface, area);
}

void DeviceContext::Attach(Surface* surface, Rect area)
{
    surface_ = surface;
    pixels_ = surface ? surface->Data() : nullptr;
    pitch_ = surface ? surface->Pitch() : 0;
    origin_ = { raster::Translate(area.left, 0), raster::Translate(area.top, 0) };
    clip_ = surface && pixels_ ? area.Intersected(surface->Bounds()) : Rect {};
    clipX_ = clip_.left - origin_.x;
    clipY_ = clip_.top - origin_.y;
    clipWidth_ = static_cast<unsigned>(clip_.Width());
    clipHeight_ = static_cast<unsigned>(clip_.Height());
    originIndex_ = origin_.y * pitch_ + origin_.x;
    prepare_ = false;
}

void DeviceContext::AttachBitmap()
{
    if (bitmap_.Data() == StockBitmap().Data()) {
        Attach(nullptr, {});
        return;
    }
    // Pixels shared with other bitmaps or not yet cleared are made ready by
    // the first drawing call (SetPixel sees an empty clip until then); a
    // shared surface is only read before that.
    const bool prepare = bitmap_.NeedsPreparing();
    const Surface* pixels = bitmap_.Data()->shared ? bitmap_.Data()->shared.get() : &bitmap_.Data()->own;
    Attach(const_cast<Surface*>(pixels), pixels->Bounds());
    prepare_ = prepare;
    if (prepare_) {
        clipWidth_ = 0;
        clipHeight_ = 0;
    }
}

void DeviceContext::Prepare(Coverage coverage)
{
    Surface* own = bitmap_.PixelsToDrawOn(coverage);
    Attach(own, own ? own->Bounds() : Rect {});
}

void DeviceContext::PrepareRead() const
{
    if (prepare_)
        bitmap_.Pixels(); // clears pixels not yet cleared, in place
}

raster::Target DeviceContext::DrawTarget(Coverage coverage)
{
    if (prepare_)
        Prepare(coverage);
    return Target();
}

Coverage DeviceContext::CoverageOf(const Rect& surfaceRect) const
{
    const bool whole = surfaceRect.left <= clip_.left && surfaceRect.top <= clip_.top
        && surfaceRect.right >= clip_.right && surfaceRect.bottom >= clip_.bottom;
    return whole ? Coverage::Whole : Coverage::Part;
}

raster::Target DeviceContext::Target() const
{
    return { pixels_, static_cast<int>(pitch_), surface_ ? surface_->Width() : 0, clip_ };
}

raster::Target DeviceContext::Target(const Rect& clip) const
{
    return { pixels_, static_cast<int>(pitch_), surface_ ? surface_->Width() : 0, clip_.Intersected(clip) };
}

bool DeviceContext::CreateCompatibleDC(const DeviceContext*)
{
    *this = DeviceContext();
    memory_ = true;
    bitmap_ = StockBitmap();
    return true;
}

bool DeviceContext::DeleteDC()
{
    const bool had = surface_ != nullptr || memory_;
    *this = DeviceContext();
    pen_ = Pen();
    brush_ = Brush();
    return had;
}

Pen DeviceContext::SelectObject(const Pen& pen)
{
    if (pen.IsNull())
        return {};
    return std::exchange(pen_, pen);
}

Brush DeviceContext::SelectObject(const Brush& brush)
{
    if (brush.IsNull())
        return {};
    return std::exchange(brush_, brush);
}

Font DeviceContext::SelectObject(const Font& font)
{
    if (font.IsNull())
        return {};
    Font previous = std::exchange(font_, font);
    return previous.IsNull() ? Font::FromData(DefaultFontData()) : previous;
}

Bitmap DeviceContext::SelectObject(const Bitmap& bitmap)
{
    if (bitmap.IsNull() || !memory_)
        return {};
    Bitmap previous = std::exchange(bitmap_, bitmap);
    AttachBitmap();
    return previous;
}

COLORREF DeviceContext::SetTextColor(COLORREF color)
{
    return std::exchange(textColor_, color & 0xffffff);
}

COLORREF DeviceContext::SetBkColor(COLORREF color)
{
    return std::exchange(bkColor_, color & 0xffffff);
}

BkMode DeviceContext::SetBkMode(BkMode mode)
{
    if (mode != BkMode::Opaque && mode != BkMode::Transparent)
        return bkMode_;
    return std::exchange(bkMode_, mode);
}

void DeviceContext::FillRect(const Rect& rect, const Brush& brush)
{
    if (brush.IsNull())
        return;
    const Rect r = raster::Translate(rect, origin_);
    raster::FillRect(DrawTarget(CoverageOf(r)), r, ToXrgb(brush.Color()));
}

void DeviceContext::FillSolidRect(const Rect& rect, COLORREF color)
{
    const Rect r = raster::Translate(rect, origin_);
    raster::FillRect(DrawTarget(CoverageOf(r)), r, ToXrgb(color));
}

Point DeviceContext::MoveTo(int x, int y)
{
    return std::exchange(position_, Point { x, y });
}

bool DeviceContext::LineTo(int x, int y)
{
    const Point from = std::exchange(position_, Point { x, y });
    const PenData* pen = pen_.Data().get();
    if (!pen)
        return false;
    if (pen->style != PS_NULL) {
        raster::Line(DrawTarget(), { static_cast<long long>(from.x) + origin_.x, static_cast<long long>(from.y) + origin_.y },
            { static_cast<long long>(x) + origin_.x, static_cast<long long>(y) + origin_.y }, ToXrgb(pen->color));
    }
    return true;
}

// The per-pixel path of the dot-fill tests: one unsigned compare per axis
// (coordinates left of or above the clip wrap round to large values).
COLORREF DeviceContext::SetPixel(int x, int y, COLORREF color)
{
    const bool outsideX = static_cast<unsigned>(x) - static_cast<unsigned>(clipX_) >= clipWidth_;
    const bool outsideY = static_cast<unsigned>(y) - static_cast<unsigned>(clipY_) >= clipHeight_;
    if (outsideX | outsideY)
        return prepare_ ? SetPixelOnUnprepared(x, y, color) : CLR_INVALID;
    pixels_[originIndex_ + y * pitch_ + x] = ToXrgb(color);
    return color & 0xffffff;
}

COLORREF DeviceContext::SetPixelOnUnprepared(int x, int y, COLORREF color)
{
    const long long px = static_cast<long long>(x) + origin_.x;
    const long long py = static_cast<long long>(y) + origin_.y;
    if (px < clip_.left || px >= clip_.right || py < clip_.top || py >= clip_.bottom)
        return CLR_INVALID;
    Prepare(Coverage::Part);
    return SetPixel(x, y, color);
}

COLORREF DeviceContext::GetPixel(int x, int y) const
{
    const long long px = static_cast<long long>(x) + origin_.x;
    const long long py = static_cast<long long>(y) + origin_.y;
    if (px < clip_.left || px >= clip_.right || py < clip_.top || py >= clip_.bottom)
        return CLR_INVALID;
    PrepareRead();
    return FromXrgb(pixels_[py * pitch_ + px]);
}

bool DeviceContext::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const PenData* pen = pen_.Data().get();
    if (!pen || brush_.IsNull())
        return false;
    const std::uint32_t penColor = ToXrgb(pen->color);
    raster::RoundRect(DrawTarget(), raster::Translate(Rect { left, top, right, bottom }, origin_), ellipseWidth,
        ellipseHeight, pen->style == PS_NULL ? nullptr : &penColor, ToXrgb(brush_.Color()));
    return true;
}

bool DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy,
    std::uint32_t rop)
{
    if (rop != SRCCOPY)
        return false;
    // The destination first: unsharing it may move this context's own pixels.
    const raster::Target destination = DrawTarget();
    source.PrepareRead();
    raster::Blit(destination, { raster::Translate(x, origin_.x), raster::Translate(y, origin_.y) }, source.Target(),
        { raster::Translate(sx, source.origin_.x), raster::Translate(sy, source.origin_.y) }, width, height);
    return true;
}

bool DeviceContext::StretchBlt(int x, int y, int dstWidth, int dstHeight, const DeviceContext& source, int sx, int sy,
    int width, int height, std::uint32_t rop)
{
    if (rop != SRCCOPY || dstWidth <= 0 || dstHeight <= 0 || width <= 0 || height <= 0)
        return false;
    const raster::Target destination = DrawTarget();
    source.PrepareRead();
    const Rect d { x, y, raster::Translate(x, dstWidth), raster::Translate(y, dstHeight) };
    const Rect s { sx, sy, raster::Translate(sx, width), raster::Translate(sy, height) };
    raster::Stretch(destination, raster::Translate(d, origin_), source.Target(), raster::Translate(s, source.origin_));
    return true;
}

bool DeviceContext::DrawIcon(int x, int y, const Icon& icon)
{
    if (icon.IsNull())
        return false;
    raster::AlphaImage(DrawTarget(), { raster::Translate(x, origin_.x), raster::Translate(y, origin_.y) },
        icon.Argb().data(), icon.Width(), icon.Height());
    return true;
}

bool DeviceContext::DrawIconEx(int x, int y, const Icon& icon, int cx, int cy)
{
    if (cx == icon.Width() && cy == icon.Height())
        return DrawIcon(x, y, icon);
    const std::vector<std::uint32_t> scaled = ScaleArgb(icon.Argb(), icon.Width(), icon.Height(), cx, cy);
    if (scaled.empty())
        return false;
    raster::AlphaImage(DrawTarget(), { raster::Translate(x, origin_.x), raster::Translate(y, origin_.y) }, scaled.data(),
        cx, cy);
    return true;
}

bool DeviceContext::DrawMaskedImage(int x, int y, const std::uint32_t* pixels, const std::uint32_t* mask, int width,
    int height)
{
    if (!pixels || !mask || width <= 0 || height <= 0)
        return false;
    raster::MaskedImage(DrawTarget(), { raster::Translate(x, origin_.x), raster::Translate(y, origin_.y) }, pixels, mask,
        width, height);
    return true;
}

Rect DeviceContext::GetClipBox() const
{
    if (clip_.IsEmpty())
        return {};
    return { clip_.left - origin_.x, clip_.top - origin_.y, clip_.right - origin_.x, clip_.bottom - origin_.y };
}

}
