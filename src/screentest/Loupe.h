#pragma once

// The magnifier that follows the pointer: the 15 x 15 pattern pixels around
// the pointer's pixel, each as a 12 x 12 block (hatched where the pixel is
// off the client area), in a box framed by a dark and a light line, 24
// pixels right of and below the pointer (on the other side where it would
// leave the client area), the centre block outlined, and under the box the
// pointer's position and the centre pixel's colour.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"

class CLoupe {
public:
    static constexpr int kPixels = 15;
    static constexpr int kBlock = 12;
    static constexpr int kBox = kPixels * kBlock; // 180
    static constexpr int kOffset = 24;
    static constexpr int kLabelGap = 2;
    static constexpr int kLabelHeight = 16;

    bool IsShown() const { return m_bShown; }
    void Show(bool shown) { m_bShown = shown; }
    plat::Point Pointer() const { return m_ptPointer; }
    void MoveTo(plat::Point pointer) { m_ptPointer = pointer; }

    // The frame's rectangle (the box and its inner 1-pixel line) for a
    // client area of `client`.
    plat::Rect FrameRect(plat::Size client) const;
    // Everything the loupe draws on: the frame and the label under it.
    plat::Rect Area(plat::Size client) const;
    // The label: "x, y  #RRGGBB".
    static std::string Label(plat::Point pointer, plat::COLORREF color);

    // Draws the loupe on `dc` from the pixels of `pattern`, the frame's
    // inner line in `frame` (black or white) and its outer line in the
    // other, the label in `font`.
    void Draw(plat::DeviceContext& dc, const plat::DeviceContext& pattern, plat::Size client, plat::COLORREF frame,
        const plat::Font& font) const;

private:
    bool m_bShown = false;
    plat::Point m_ptPointer;
};
