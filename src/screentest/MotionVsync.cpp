#include "platform/gfx/DeviceContext.h"
#include "screentest/MotionPatterns.h"

#include <algorithm>

namespace motion {

namespace {

constexpr int kSide = 256;

plat::COLORREF SquareColour(const MotionFrame& f)
{
    return f.refresh % 2 == 0 ? plat::RGB(255, 0, 0) : plat::RGB(0, 255, 255);
}

}

void DrawVsync(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage)
{
    const int side = std::min({ kSide, area.Width(), area.Height() });
    const int left = area.left + (area.Width() - side) / 2;
    const int top = area.top + (area.Height() - side) / 2;
    const plat::Rect square { left, top, left + side, top + side };
    if (!before) {
        dc.FillSolidRect(area, plat::RGB(0, 0, 0));
        damage.Add(area);
    } else if (SquareColour(*before) == SquareColour(now)) {
        return;
    }
    dc.FillSolidRect(square, SquareColour(now));
    damage.Add(square);
}

}
