#include "platform/gfx/DeviceContext.h"
#include "screentest/MotionPatterns.h"

#include <algorithm>
#include <cmath>

namespace motion {

namespace {

constexpr int kBarWidth = 16;
constexpr int kMarks = 24;
constexpr int kMark = 4; // a mark's width and height

// The strip of rows holding the bar and its track: all that ever changes.
plat::Rect Strip(const plat::Rect& area)
{
    const int height = std::max(1, area.Height() / 3);
    const int top = area.top + (area.Height() - height) / 2;
    return { area.left, top, area.right, top + height };
}

}

void DrawPursuit(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage)
{
    const plat::Rect strip = Strip(area);
    if (!before) {
        dc.FillSolidRect(area, plat::RGB(0, 0, 0));
        damage.Add(area);
    } else if (before->refresh == now.refresh) {
        return;
    } else {
        dc.FillSolidRect(strip, plat::RGB(0, 0, 0));
        damage.Add(strip);
    }
    const int trackHeight = 3 * kMark;
    const int barBottom = strip.bottom - trackHeight;
    const int x = WrappedLeft(now, strip.left, strip.Width() - kBarWidth);
    dc.FillSolidRect({ x, strip.top, x + kBarWidth, barBottom }, plat::RGB(255, 255, 255));
    // One refresh's travel apart, behind the bar; mark k of refresh n sits in
    // the top row when n + k is even, so the rows swap every refresh.
    const double step = (now.rateHz > 0 ? now.speed / now.rateHz : 0);
    for (int k = 0; k < kMarks && step >= 1; ++k) {
        const int mx = x + kBarWidth / 2 - static_cast<int>(std::lround(step * k));
        const int row = ((now.refresh + static_cast<std::uint64_t>(k)) % 2 == 0) ? 0 : 2 * kMark;
        const plat::Rect mark { mx, barBottom + row, mx + kMark, barBottom + row + kMark };
        dc.FillSolidRect(mark.Intersected(strip), k % 2 ? plat::RGB(255, 255, 255) : plat::RGB(255, 200, 0));
    }
}

}
