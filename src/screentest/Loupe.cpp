#include "screentest/Loupe.h"

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
    std::snprintf(text, sizeof text, "%d, %d  #%02X%02X%02X", pointer.x, pointer.y, plat::GetRValue(color),
        plat::GetGValue(color), plat::GetBValue(color));
    return text;
}

void CLoupe::Draw(plat::DeviceContext& dc, const plat::DeviceContext& pattern, plat::Size client, plat::COLORREF frame,
    const plat::Font& font) const
{
    plat::Rect outer = FrameRect(client);
    dc.FillSolidRect(outer, frame);
    plat::COLORREF centre = 0;
    constexpr int kHalf = kPixels / 2;
    for (int row = 0; row < kPixels; ++row) {
        for (int column = 0; column < kPixels; ++column) {
            int x = m_ptPointer.x - kHalf + column;
            int y = m_ptPointer.y - kHalf + row;
            plat::COLORREF color = pattern.GetPixel(x, y);
            if (color == plat::CLR_INVALID)
                color = plat::RGB(0, 0, 0);
            if (row == kHalf && column == kHalf)
                centre = color;
            int left = outer.left + 1 + column * kBlock;
            int top = outer.top + 1 + row * kBlock;
            dc.FillSolidRect({ left, top, left + kBlock, top + kBlock }, color);
        }
    }
    // The centre block's outermost pixels, in what stands out on it.
    int left = outer.left + 1 + kHalf * kBlock;
    int top = outer.top + 1 + kHalf * kBlock;
    plat::COLORREF outline = ContrastingBlackOrWhite(centre);
    dc.FillSolidRect({ left, top, left + kBlock, top + 1 }, outline);
    dc.FillSolidRect({ left, top + kBlock - 1, left + kBlock, top + kBlock }, outline);
    dc.FillSolidRect({ left, top, left + 1, top + kBlock }, outline);
    dc.FillSolidRect({ left + kBlock - 1, top, left + kBlock, top + kBlock }, outline);

    dc.SelectObject(font);
    dc.TextOut(outer.left, outer.bottom + kLabelGap, Label(m_ptPointer, centre));
}
