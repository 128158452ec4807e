#include "platform/gfx/DeviceContext.h"
#include "screentest/MotionPatterns.h"

#include <algorithm>
#include <string>

namespace motion {

namespace {

constexpr int kBoxes = 8;
constexpr plat::COLORREF kLit = plat::RGB(255, 255, 255);
constexpr plat::COLORREF kDark = plat::RGB(32, 32, 32);
// Room for the longest refresh count printed, in half-width cells.
constexpr int kDigits = 20;

struct Layout {
    int box = 0;
    int left = 0;
    int top = 0;
    plat::Rect Box(int k) const
    {
        const int x = left + k * box * 3 / 2;
        return { x, top, x + box, top + box };
    }
};

Layout LayoutOf(const plat::Rect& area)
{
    Layout l;
    l.box = std::max(1, std::min(96, area.Width() * 2 / (kBoxes * 3 + 1)));
    const int row = l.box * (kBoxes * 3 - 1) / 2;
    l.left = area.left + (area.Width() - row) / 2;
    l.top = area.top + (area.Height() - l.box) / 2;
    return l;
}

int LitBox(const MotionFrame& f) { return static_cast<int>(f.refresh % kBoxes); }

void PrintRefresh(plat::DeviceContext& dc, const plat::Rect& area, const Layout& l, const MotionFrame& f, MotionDamage& damage)
{
    const int cell = std::max(1, dc.GetTextMetrics().aveCharWidth);
    const plat::Rect text { l.left, l.top + l.box + l.box / 2, l.left + kDigits * cell, l.top + l.box + l.box / 2 + dc.GetTextMetrics().height };
    const plat::Rect clipped = text.Intersected(area);
    dc.FillSolidRect(clipped, plat::RGB(0, 0, 0));
    dc.SetTextColor(plat::RGB(255, 255, 255));
    dc.SetBkColor(plat::RGB(0, 0, 0));
    if (clipped.Height() == text.Height())
        dc.TextOut(text.left, text.top, std::to_string(f.refresh));
    damage.Add(clipped);
}

}

void DrawFrameSkip(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage)
{
    const Layout l = LayoutOf(area);
    if (!before) {
        dc.FillSolidRect(area, plat::RGB(0, 0, 0));
        for (int k = 0; k < kBoxes; ++k)
            dc.FillSolidRect(l.Box(k).Intersected(area), k == LitBox(now) ? kLit : kDark);
        damage.Add(area);
    } else if (LitBox(*before) != LitBox(now)) {
        const plat::Rect old = l.Box(LitBox(*before)).Intersected(area);
        const plat::Rect next = l.Box(LitBox(now)).Intersected(area);
        dc.FillSolidRect(old, kDark);
        dc.FillSolidRect(next, kLit);
        damage.Add(old);
        damage.Add(next);
    }
    if (!before || before->refresh != now.refresh)
        PrintRefresh(dc, area, l, now, damage);
}

}
