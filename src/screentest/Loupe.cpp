#include "screentest/Loupe.h"

#include "platform/gfx/GdiConstants.h"
#include "screentest/MarkRing.h"

#include <cstdio>

namespace {

constexpr int kFramed = CLoupe::kBox + 2;
constexpr int kAreaHeight = kFramed + CLoupe::kLabelGap + CLoupe::kLabelHeight;

// Where the loupe starts along one axis: `offset` past the pointer, or
// before it when the loupe would pass the end of the client area.
int Place(int pointer, int length, int end)
{
    int after = pointer + CLoupe::kOffset;
    if (after + length <= end)
        return after;
    return pointer - CLoupe::kOffset - length;
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
    // narrower than the frame.
    plat::Rect frame = FrameRect(client);
    return { frame.left, frame.top, frame.right, frame.top + kAreaHeight };
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
    dc.FillSolidRect({ outer.left, outer.top, outer.right, box.top }, frame);
    dc.FillSolidRect({ outer.left, box.bottom, outer.right, outer.bottom }, frame);
    dc.FillSolidRect({ outer.left, box.top, box.left, box.bottom }, frame);
    dc.FillSolidRect({ box.right, box.top, outer.right, box.bottom }, frame);
    // Each pattern pixel becomes a block; those off the pattern are black.
    constexpr int kHalf = kPixels / 2;
    dc.StretchBlt(box.left, box.top, kBox, kBox, pattern, m_ptPointer.x - kHalf, m_ptPointer.y - kHalf, kPixels, kPixels,
        plat::SRCCOPY);
    plat::COLORREF centre = pattern.GetPixel(m_ptPointer.x, m_ptPointer.y);
    if (centre == plat::CLR_INVALID)
        centre = plat::RGB(0, 0, 0);

    // The centre block's outermost pixels, in what stands out on it.
    int left = box.left + kHalf * kBlock;
    int top = box.top + kHalf * kBlock;
    plat::COLORREF outline = ContrastingBlackOrWhite(centre);
    dc.FillSolidRect({ left, top, left + kBlock, top + 1 }, outline);
    dc.FillSolidRect({ left, top + kBlock - 1, left + kBlock, top + kBlock }, outline);
    dc.FillSolidRect({ left, top, left + 1, top + kBlock }, outline);
    dc.FillSolidRect({ left + kBlock - 1, top, left + kBlock, top + kBlock }, outline);

    dc.SelectObject(font);
    dc.TextOut(outer.left, outer.bottom + kLabelGap, Label(m_ptPointer, centre));
}
