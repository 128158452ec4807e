#pragma once

// Basic value types shared by the platform layer and the program: colours in
// the Windows byte order, points, sizes and rectangles with exclusive
// right/bottom edges.

#include <algorithm>
#include <cstdint>

namespace plat {

// 24-bit colour: low byte red, then green, then blue.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xff); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xff); }

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(Point, Point) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(Size, Size) = default;
};

// Left and top edges are inside, right and bottom edges are outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr Rect Intersected(Rect o) const
    {
        Rect r { std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom) };
        if (r.IsEmpty())
            return {};
        return r;
    }
    // The smallest rectangle holding both; an empty one adds nothing.
    constexpr Rect United(Rect o) const
    {
        if (IsEmpty())
            return o;
        if (o.IsEmpty())
            return *this;
        return { std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom) };
    }
    friend bool operator==(Rect, Rect) = default;
};

constexpr bool PtInRect(const Rect& r, Point p) { return r.Contains(p); }

}
