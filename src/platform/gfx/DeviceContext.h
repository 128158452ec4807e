#pragma once

// A device context: the drawing calls of the program, with the geometry of
// the platform they come from (fills and rectangles exclude right/bottom, a
// line excludes its end point), drawing on a Surface it does not own.
//
// A context is either a view of a surface (a window's client area, or any
// sub-rectangle of it: coordinates are relative to the area's top-left and
// everything is clipped to the area) or a memory context, which draws on the
// bitmap selected into it and draws nothing while none is. Everything outside
// the drawable area is clipped; null objects are ignored. The surface must
// outlive the context and keep its size while the context is open.

#include "platform/Types.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/Pen.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace plat {

class Icon;
class Surface;
namespace raster {
struct Target;
}

struct TextMetrics {
    int height = 0; // ascent + descent: the height of a text line
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0; // half-width cell
    int maxCharWidth = 0; // full-width cell
};

class DeviceContext {
public:
    // A context with nothing to draw on, until CreateCompatibleDC.
    DeviceContext() = default;
    // The whole surface.
    explicit DeviceContext(Surface& surface);
    // `area` of the surface (surface coordinates); (0, 0) is its top-left corner.
    DeviceContext(Surface& surface, Rect area);

    DeviceContext(DeviceContext&&) noexcept = default;
    DeviceContext& operator=(DeviceContext&&) noexcept = default;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Turns this into a fresh memory context (default objects, no bitmap:
    // draws nothing until a bitmap is selected). `dc` may be null.
    bool CreateCompatibleDC(const DeviceContext* dc);
    // Detaches from everything; later calls draw nothing.
    bool DeleteDC();
    bool IsMemoryDC() const { return m_memory; }

    // Select an object; returns the one selected before (a fresh context has
    // a black pen, a white brush, the default font - 宋体 12 px - and, for a
    // memory context, a 1 x 1 stock bitmap). Selecting a null object changes
    // nothing and returns a null object; so does a bitmap selected into a
    // context that is not a memory context.
    Pen SelectObject(const Pen& pen);
    Brush SelectObject(const Brush& brush);
    Font SelectObject(const Font& font);
    Bitmap SelectObject(const Bitmap& bitmap);

    // Each returns the previous value. Defaults: black text, white background, opaque.
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    BkMode SetBkMode(BkMode mode);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF GetBkColor() const { return m_bkColor; }
    BkMode GetBkMode() const { return m_bkMode; }

    // Left and top edges included, right and bottom excluded.
    void FillRect(const Rect& rect, const Brush& brush);
    void FillSolidRect(const Rect& rect, COLORREF color);

    // Moves the current position; returns the previous one.
    Point MoveTo(int x, int y);
    Point MoveTo(Point p) { return MoveTo(p.x, p.y); }
    // A line in the selected pen from the current position up to, not
    // including, (x, y), which becomes the current position.
    bool LineTo(int x, int y);
    bool LineTo(Point p) { return LineTo(p.x, p.y); }

    // One pixel; returns the colour set, or CLR_INVALID outside the drawable area.
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;

    // Outline in the pen along the left and top edges and one pixel inside
    // the right and bottom edges, corners from an ellipseWidth x
    // ellipseHeight ellipse, interior in the brush.
    bool RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    bool RoundRect(const Rect& rect, Point ellipse)
    {
        return RoundRect(rect.left, rect.top, rect.right, rect.bottom, ellipse.x, ellipse.y);
    }

    // UTF-8 text as one line with its top-left at (x, y): every character is
    // drawn, a line feed as the font draws it. Opaque mode fills the text's
    // cells with the background colour first.
    bool TextOut(int x, int y, std::string_view text);
    // Text in `rect`, clipped to it. Format bits DT_CENTER, DT_RIGHT,
    // DT_VCENTER, DT_BOTTOM, DT_SINGLELINE, DT_NOPREFIX; without
    // DT_SINGLELINE lines break only at the text's own line breaks (CR LF,
    // LF or CR) and the vertical bits have no effect. Unless DT_NOPREFIX,
    // "&x" draws x underlined and "&&" draws "&". Other bits are ignored.
    // Returns the height of the text drawn.
    int DrawText(std::string_view text, const Rect& rect, unsigned format);
    // Width of the text as one line and the font's line height.
    Size GetTextExtent(std::string_view text) const;
    TextMetrics GetTextMetrics() const;

    // Copies width x height pixels from `source` at (sx, sy) to (x, y); only
    // SRCCOPY. Pixels that lie outside either drawable area are skipped.
    bool BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy,
        std::uint32_t rop);

    // Scales the width x height block at (sx, sy) of `source` onto the
    // dstWidth x dstHeight block at (x, y), nearest pixel; only SRCCOPY and
    // positive sizes. Source pixels outside its drawable area are black.
    bool StretchBlt(int x, int y, int dstWidth, int dstHeight, const DeviceContext& source, int sx, int sy, int width,
        int height, std::uint32_t rop);

    // The icon at its own size, blended by its alpha.
    bool DrawIcon(int x, int y, const Icon& icon);
    // The icon scaled to cx x cy.
    bool DrawIconEx(int x, int y, const Icon& icon, int cx, int cy);

    // Pixels (0x00RRGGBB) of a width x height image where its mask is all
    // ones (0 elsewhere), with the image's top-left at (x, y); used by image lists.
    bool DrawMaskedImage(int x, int y, const std::uint32_t* pixels, const std::uint32_t* mask, int width, int height);

    // The drawable area in this context's coordinates (empty when nothing can be drawn).
    Rect GetClipBox() const;

private:
    void Attach(Surface* surface, Rect area);
    void AttachBitmap();
    // Makes the selected bitmap's pixels ready to draw on (its own, cleared
    // unless the drawing covers them whole).
    void Prepare(Coverage coverage);
    // Before reading the selected bitmap's pixels.
    void PrepareRead() const;
    // What a drawing call draws on (Target() only reads).
    raster::Target DrawTarget(Coverage coverage = Coverage::Part);
    Coverage CoverageOf(const Rect& surfaceRect) const;
    COLORREF SetPixelOnUnprepared(int x, int y, COLORREF color);
    raster::Target Target() const;
    raster::Target Target(const Rect& clip) const;
    const FontData& CurrentFont() const;
    // One line of text `width` pixels wide with its cell's top-left at `at`,
    // clipped to `clip` (both surface coordinates); characters flagged in
    // `underlined` get a mnemonic underline.
    void DrawTextLine(std::u32string_view text, int width, Point at, const Rect& clip,
        const std::vector<bool>& underlined = {});

    Surface* m_surface = nullptr;
    std::uint32_t* m_pixels = nullptr; // m_surface->Data(), cached for the per-pixel calls
    std::ptrdiff_t m_pitch = 0;
    Point m_origin; // surface position of this context's (0, 0)
    Rect m_clip;    // surface coordinates; empty when nothing can be drawn
    // The clip in this context's coordinates as origin and size, and the
    // buffer index of this context's (0, 0): what SetPixel needs, precomputed.
    int m_clipX = 0;
    int m_clipY = 0;
    unsigned m_clipWidth = 0;
    unsigned m_clipHeight = 0;
    std::ptrdiff_t m_originIndex = 0;
    bool m_memory = false;
    bool m_prepare = false; // the selected bitmap's pixels need Prepare before drawing

    Pen m_pen = Pen::BlackPen();
    Brush m_brush = Brush::WhiteBrush();
    Font m_font; // null: the default font
    Bitmap m_bitmap;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    BkMode m_bkMode = BkMode::Opaque;
    Point m_position;
};

}
