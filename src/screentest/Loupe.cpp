#include "screentest/Loupe.h"

#include "platform/gfx/GdiConstants.h"
#include "screentest/MarkRing.h"

#include <cstdio>

namespace {

constexpr int kFramed = CLoupe::kBox + 2;
constexpr int kAreaHeight = kFramed + CLoupe::kLabelGap + CLoupe::kLabelHeight;
constexpr plat::COLORREF kHatchLight = plat::RGB(192, 192, 192);
constexpr plat::COLORREF kHatchDark = plat::RGB(64, 64, 64);

// Where the loupe starts along one axis: `offset` past the pointer, or
// before it when the loupe would pass the end of the client area.
int Place(int pointer, int length, int end)
{
    int after = pointer + CLoupe::kOffset;
    if (after + length <= end)
        return after;
    return pointer - CLoupe::kOffset - length;
}

plat::Rect Inflated(const plat::Rect& r, int by) { return { r.left - by, r.top - by, r.right + by, r.bottom + by }; }

// The outermost pixels of `r`.
void DrawFrameLine(plat::DeviceContext& dc, const plat::Rect& r, plat::COLORREF color)
{
    dc.FillSolidRect({ r.left, r.top, r.right, r.top + 1 }, color);
    dc.FillSolidRect({ r.left, r.bottom - 1, r.right, r.bottom }, color);
    dc.FillSolidRect({ r.left, r.top + 1, r.left + 1, r.bottom - 1 }, color);
    dc.FillSolidRect({ r.right - 1, r.top + 1, r.right, r.bottom - 1 }, color);
}

// The blocks in `box` whose pixel lies off a client area of `client`
// (the pointer near an edge), in grey diagonal stripes that no pixel
// could show.
void HatchOffPattern(plat::DeviceContext& dc, const plat::Rect& box, plat::Point pointer, plat::Size client)
{
    constexpr int kHalf = CLoupe::kPixels / 2;
    const int first = pointer.x - kHalf, top = pointer.y - kHalf;
    if (first >= 0 && top >= 0 && first + CLoupe::kPixels <= client.cx && top + CLoupe::kPixels <= client.cy)
        return;
    for (int y = 0; y < CLoupe::kBox; ++y) {
        const int py = top + y / CLoupe::kBlock;
        const bool rowOff = py < 0 || py >= client.cy;
        for (int x = 0; x < CLoupe::kBox; ++x) {
            const int px = first + x / CLoupe::kBlock;
            if (rowOff || px < 0 || px >= client.cx)
                dc.SetPixel(box.left + x, box.top + y, (x + y) % 6 < 2 ? kHatchLight : kHatchDark);
        }
    }
}

}

plat::Rect CLoupe::FrameRect(plat::Size client) const
{
    int left = Place(m_ptPointer.x, kFramed, client.cx);
    int top = Place(m_ptPointer.y, kAreaHeight, client.cy);
    return { left, top, left + kFramed, top + kFramed };
}

plat::Rect CLoupe::Area(plat::Size client) const
{
    // The longest label ("16383, 16383  #RRGGBB", 21 half-width cells) is
    // narrower than the frame; the frame's outer line lies 1 pixel outside it.
    plat::Rect frame = FrameRect(client);
    return { frame.left - 1, frame.top - 1, frame.right + 1, frame.top + kAreaHeight };
}

std::string CLoupe::Label(plat::Point pointer, plat::COLORREF color)
{
    char text[48];
    (void)std::snprintf(text, sizeof text, "%d, %d  #%02X%02X%02X", pointer.x, pointer.y, plat::GetRValue(color),
        plat::GetGValue(color), plat::GetBValue(color));
    return text;
}

void CLoupe::Draw(plat::DeviceContext& dc, const plat::DeviceContext& pattern, plat::Size client, plat::COLORREF frame,
    const plat::Font& font) const
{
    plat::Rect outer = FrameRect(client);
    plat::Rect box { outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1 };
    // Two lines, one dark and one light, so the frame shows over any pixels.
    const plat::COLORREF other = frame == plat::RGB(0, 0, 0) ? plat::RGB(255, 255, 255) : plat::RGB(0, 0, 0);
    DrawFrameLine(dc, Inflated(outer, 1), other);
    DrawFrameLine(dc, outer, frame);
    // Each pattern pixel becomes a block; blocks off the pattern are hatched.
    constexpr int kHalf = kPixels / 2;
    dc.StretchBlt(box.left, box.top, kBox, kBox, pattern, m_ptPointer.x - kHalf, m_ptPointer.y - kHalf, kPixels, kPixels,
        plat::SRCCOPY);
    HatchOffPattern(dc, box, m_ptPointer, client);
    plat::COLORREF centre = pattern.GetPixel(m_ptPointer.x, m_ptPointer.y);
    if (centre == plat::CLR_INVALID)
        centre = plat::RGB(0, 0, 0);

    // The centre block's outermost pixels, in what stands out on it.
    int left = box.left + kHalf * kBlock;
    int top = box.top + kHalf * kBlock;
    DrawFrameLine(dc, { left, top, left + kBlock, top + kBlock }, ContrastingBlackOrWhite(centre));

    dc.SelectObject(font);
    dc.TextOut(outer.left, outer.bottom + kLabelGap, Label(m_ptPointer, centre));
}
