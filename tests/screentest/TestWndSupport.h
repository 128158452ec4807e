#pragma once

// The test window in tests, run through a script of steps: its size, its
// back buffer, and the information lines as the font draws them, for
// comparing with what the window shows.

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/Surface.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"
#include "screentest/Patterns.h"
#include "screentest/TestWnd.h"
#include "support/ModalRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sttest {

// The rows the tests name.
inline const Pattern* const kDeadPixel = FindPattern("dead-pixel");
inline const Pattern* const kBlockFill = FindPattern("block-fill");
inline const Pattern* const kDotFillDown = FindPattern("dot-fill-down");
inline const Pattern* const kDotFillRight = FindPattern("dot-fill-right");
inline const Pattern* const kHLineFill = FindPattern("hline-fill");
inline const Pattern* const kVLineFill = FindPattern("vline-fill");
inline const Pattern* const kHLineGradient = FindPattern("hline-gradient");
inline const Pattern* const kVLineGradient = FindPattern("vline-gradient");
inline const Pattern* const kGrey = FindPattern("grey");
inline const Pattern* const kBlackLevel = FindPattern("black-level");
inline const Pattern* const kGamma = FindPattern("gamma");
inline const Pattern* const kSharpness = FindPattern("sharpness");
inline const Pattern* const kGrid = FindPattern("grid");
inline const Pattern* const kFlasher = FindPattern("flasher");

// Every row of the pattern table.
inline std::vector<const Pattern*> AllModes()
{
    std::vector<const Pattern*> modes;
    for (const Pattern& pattern : Patterns())
        modes.push_back(&pattern);
    return modes;
}

// The colour the table gives `pattern` at `step`.
inline plat::COLORREF StepColor(const Pattern* pattern, int step)
{
    return pattern->colors[static_cast<std::size_t>(step)];
}

using lvtest::RunModal;
using lvtest::Step;

inline plat::Rect ClientOf(const CTestWnd& wnd)
{
    plat::Rect r;
    wnd.GetClientRect(&r);
    return r;
}

// A client area of width x height, as if the screen had that size.
inline void Resize(CTestWnd& wnd, int width, int height)
{
    wnd.SetWindowPos(plat::wndTopMost, 0, 0, width, height, plat::SWP_FRAMECHANGED);
}

inline void LeftClick(CTestWnd& wnd)
{
    plat::automation::Click(wnd, { 0, 0 }, plat::automation::MouseButton::Left);
}

inline const plat::Surface& Back(const CTestWnd& wnd)
{
    static const plat::Surface empty;
    const plat::Surface* s = plat::automation::BackBuffer(wnd);
    return s ? *s : empty;
}

// Pixels of `area` in the window's back buffer that are not `color`.
inline long CountOther(const CTestWnd& wnd, plat::Rect area, plat::COLORREF color)
{
    const plat::Surface& s = Back(wnd);
    std::uint32_t want = plat::ToXrgb(color);
    long wrong = 0;
    area = area.Intersected(s.Bounds());
    for (int y = area.top; y < area.bottom; ++y) {
        const std::uint32_t* row = s.Row(y);
        for (int x = area.left; x < area.right; ++x)
            wrong += (row[x] & 0xFFFFFFu) != want;
    }
    return wrong;
}

inline long CountOther(const CTestWnd& wnd, plat::COLORREF color)
{
    return CountOther(wnd, ClientOf(wnd), color);
}

// The information lines' font, made as the window makes it.
inline plat::Font InfoFont()
{
    plat::Font font;
    font.CreateFont(16, 8, 0, 0, 0, 0, 0, 0, 0, plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS,
        plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    return font;
}

// True when the window shows exactly `text` drawn in the information font
// with its top-left at `at`: every pixel of the text's cells compared.
inline bool ShowsText(const CTestWnd& wnd, plat::Point at, std::string_view text)
{
    plat::Surface scratch(1, 1);
    plat::DeviceContext measure(scratch);
    measure.SelectObject(InfoFont());
    plat::Size size = measure.GetTextExtent(text);
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    plat::Surface expected(size.cx, size.cy);
    plat::DeviceContext dc(expected);
    dc.SelectObject(InfoFont());
    dc.TextOut(0, 0, text);

    const plat::Surface& s = Back(wnd);
    if (at.x + size.cx > s.Width() || at.y + size.cy > s.Height())
        return false;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if ((s.Pixel(at.x + x, at.y + y) & 0xFFFFFFu) != expected.Pixel(x, y))
                return false;
    return true;
}

}
