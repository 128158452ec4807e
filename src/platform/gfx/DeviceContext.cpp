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
    m_surface = surface;
    m_pixels = surface ? surface->Data() : nullptr;
    m_pitch = surface ? surface->Pitch() : 0;
    m_origin = { raster::Translate(area.left, 0), raster::Translate(area.top, 0) };
    m_clip = surface && m_pixels ? area.Intersected(surface->Bounds()) : Rect {};
    m_clipX = m_clip.left - m_origin.x;
    m_clipY = m_clip.top - m_origin.y;
    m_clipWidth = static_cast<unsigned>(m_clip.Width());
    m_clipHeight = static_cast<unsigned>(m_clip.Height());
    m_originIndex = m_origin.y * m_pitch + m_origin.x;
    m_prepare = false;
}

void DeviceContext::AttachBitmap()
{
    if (m_bitmap.Data() == StockBitmap().Data()) {
        Attach(nullptr, {});
        return;
    }
    // Pixels shared with other bitmaps or not yet cleared are made ready by
    // the first drawing call (SetPixel sees an empty clip until then); a
    // shared surface is only read before that.
    const bool prepare = m_bitmap.NeedsPreparing();
    const Surface* pixels = m_bitmap.Data()->shared ? m_bitmap.Data()->shared.get() : &m_bitmap.Data()->own;
    Attach(const_cast<Surface*>(pixels), pixels->Bounds());
    m_prepare = prepare;
    if (m_prepare) {
        m_clipWidth = 0;
        m_clipHeight = 0;
    }
}

void DeviceContext::Prepare(Coverage coverage)
{
    Surface* own = m_bitmap.PixelsToDrawOn(coverage);
    Attach(own, own ? own->Bounds() : Rect {});
}

void DeviceContext::PrepareRead() const
{
    if (m_prepare)
        m_bitmap.Pixels(); // clears pixels not yet cleared, in place
}

raster::Target DeviceContext::DrawTarget(Coverage coverage)
{
    if (m_prepare)
        Prepare(coverage);
    return Target();
}

Coverage DeviceContext::CoverageOf(const Rect& surfaceRect) const
{
    const bool whole = surfaceRect.left <= m_clip.left && surfaceRect.top <= m_clip.top
        && surfaceRect.right >= m_clip.right && surfaceRect.bottom >= m_clip.bottom;
    return whole ? Coverage::Whole : Coverage::Part;
}

raster::Target DeviceContext::Target() const
{
    return { m_pixels, static_cast<int>(m_pitch), m_surface ? m_surface->Width() : 0, m_clip };
}

raster::Target DeviceContext::Target(const Rect& clip) const
{
    return { m_pixels, static_cast<int>(m_pitch), m_surface ? m_surface->Width() : 0, m_clip.Intersected(clip) };
}

bool DeviceContext::CreateCompatibleDC(const DeviceContext*)
{
    *this = DeviceContext();
    m_memory = true;
    m_bitmap = StockBitmap();
    return true;
}

bool DeviceContext::DeleteDC()
{
    const bool had = m_surface != nullptr || m_memory;
    *this = DeviceContext();
    m_pen = Pen();
    m_brush = Brush();
    return had;
}

Pen DeviceContext::SelectObject(const Pen& pen)
{
    if (pen.IsNull())
        return {};
    return std::exchange(m_pen, pen);
}

Brush DeviceContext::SelectObject(const Brush& brush)
{
    if (brush.IsNull())
        return {};
    return std::exchange(m_brush, brush);
}

Font DeviceContext::SelectObject(const Font& font)
{
    if (font.IsNull())
        return {};
    Font previous = std::exchange(m_font, font);
    return previous.IsNull() ? Font::FromData(DefaultFontData()) : previous;
}

Bitmap DeviceContext::SelectObject(const Bitmap& bitmap)
{
    if (bitmap.IsNull() || !m_memory)
        return {};
    Bitmap previous = std::exchange(m_bitmap, bitmap);
    AttachBitmap();
    return previous;
}

COLORREF DeviceContext::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, color & 0xffffff);
}

COLORREF DeviceContext::SetBkColor(COLORREF color)
{
    return std::exchange(m_bkColor, color & 0xffffff);
}

BkMode DeviceContext::SetBkMode(BkMode mode)
{
    if (mode != BkMode::Opaque && mode != BkMode::Transparent)
        return m_bkMode;
    return std::exchange(m_bkMode, mode);
}

void DeviceContext::FillRect(const Rect& rect, const Brush& brush)
{
    if (brush.IsNull())
        return;
    const Rect r = raster::Translate(rect, m_origin);
    raster::FillRect(DrawTarget(CoverageOf(r)), r, ToXrgb(brush.Color()));
}

void DeviceContext::FillSolidRect(const Rect& rect, COLORREF color)
{
    const Rect r = raster::Translate(rect, m_origin);
    raster::FillRect(DrawTarget(CoverageOf(r)), r, ToXrgb(color));
}

Point DeviceContext::MoveTo(int x, int y)
{
    return std::exchange(m_position, Point { x, y });
}

bool DeviceContext::LineTo(int x, int y)
{
    const Point from = std::exchange(m_position, Point { x, y });
    const PenData* pen = m_pen.Data().get();
    if (!pen)
        return false;
    if (pen->style != PS_NULL) {
        raster::Line(DrawTarget(), { static_cast<long long>(from.x) + m_origin.x, static_cast<long long>(from.y) + m_origin.y },
            { static_cast<long long>(x) + m_origin.x, static_cast<long long>(y) + m_origin.y }, ToXrgb(pen->color));
    }
    return true;
}

// The per-pixel path of the dot-fill tests: one unsigned compare per axis
// (coordinates left of or above the clip wrap round to large values).
COLORREF DeviceContext::SetPixel(int x, int y, COLORREF color)
{
    const bool outsideX = static_cast<unsigned>(x) - static_cast<unsigned>(m_clipX) >= m_clipWidth;
    const bool outsideY = static_cast<unsigned>(y) - static_cast<unsigned>(m_clipY) >= m_clipHeight;
    if (outsideX | outsideY)
        return m_prepare ? SetPixelOnUnprepared(x, y, color) : CLR_INVALID;
    m_pixels[m_originIndex + y * m_pitch + x] = ToXrgb(color);
    return color & 0xffffff;
}

COLORREF DeviceContext::SetPixelOnUnprepared(int x, int y, COLORREF color)
{
    const long long px = static_cast<long long>(x) + m_origin.x;
    const long long py = static_cast<long long>(y) + m_origin.y;
    if (px < m_clip.left || px >= m_clip.right || py < m_clip.top || py >= m_clip.bottom)
        return CLR_INVALID;
    Prepare(Coverage::Part);
    return SetPixel(x, y, color);
}

COLORREF DeviceContext::GetPixel(int x, int y) const
{
    const long long px = static_cast<long long>(x) + m_origin.x;
    const long long py = static_cast<long long>(y) + m_origin.y;
    if (px < m_clip.left || px >= m_clip.right || py < m_clip.top || py >= m_clip.bottom)
        return CLR_INVALID;
    PrepareRead();
    return FromXrgb(m_pixels[py * m_pitch + px]);
}

bool DeviceContext::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    const PenData* pen = m_pen.Data().get();
    if (!pen || m_brush.IsNull())
        return false;
    const std::uint32_t penColor = ToXrgb(pen->color);
    raster::RoundRect(DrawTarget(), raster::Translate(Rect { left, top, right, bottom }, m_origin), ellipseWidth,
        ellipseHeight, pen->style == PS_NULL ? nullptr : &penColor, ToXrgb(m_brush.Color()));
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
    raster::Blit(destination, { raster::Translate(x, m_origin.x), raster::Translate(y, m_origin.y) }, source.Target(),
        { raster::Translate(sx, source.m_origin.x), raster::Translate(sy, source.m_origin.y) }, width, height);
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
    raster::Stretch(destination, raster::Translate(d, m_origin), source.Target(), raster::Translate(s, source.m_origin));
    return true;
}

bool DeviceContext::DrawIcon(int x, int y, const Icon& icon)
{
    if (icon.IsNull())
        return false;
    raster::AlphaImage(DrawTarget(), { raster::Translate(x, m_origin.x), raster::Translate(y, m_origin.y) },
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
    raster::AlphaImage(DrawTarget(), { raster::Translate(x, m_origin.x), raster::Translate(y, m_origin.y) }, scaled.data(),
        cx, cy);
    return true;
}

bool DeviceContext::DrawMaskedImage(int x, int y, const std::uint32_t* pixels, const std::uint32_t* mask, int width,
    int height)
{
    if (!pixels || !mask || width <= 0 || height <= 0)
        return false;
    raster::MaskedImage(DrawTarget(), { raster::Translate(x, m_origin.x), raster::Translate(y, m_origin.y) }, pixels, mask,
        width, height);
    return true;
}

Rect DeviceContext::GetClipBox() const
{
    if (m_clip.IsEmpty())
        return {};
    return { m_clip.left - m_origin.x, m_clip.top - m_origin.y, m_clip.right - m_origin.x, m_clip.bottom - m_origin.y };
}

}
