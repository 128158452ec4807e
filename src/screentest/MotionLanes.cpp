#include "platform/gfx/DeviceContext.h"
#include "screentest/MotionPatterns.h"

#include <algorithm>

namespace motion {

namespace {

constexpr int kLanes = 3;
constexpr plat::COLORREF kSeparator = plat::RGB(64, 64, 64);

// The object of lane `lane` (drawn every 2^lane refreshes) in frame f.
plat::Rect LaneObject(const plat::Rect& area, int lane, const MotionFrame& f)
{
    const int laneHeight = area.Height() / kLanes;
    const int side = std::max(1, std::min(64, laneHeight / 2));
    const int top = area.top + lane * laneHeight + (laneHeight - side) / 2;
    const int left = WrappedLeft(EveryNth(f, 1u << lane), area.left, area.Width() - side);
    return { left, top, left + side, top + side };
}

// White with a black cross through its middle: edges in both directions.
void DrawObject(plat::DeviceContext& dc, const plat::Rect& r)
{
    dc.FillSolidRect(r, plat::RGB(255, 255, 255));
    const int bar = std::max(1, r.Width() / 8);
    const int cx = r.left + (r.Width() - bar) / 2;
    const int cy = r.top + (r.Height() - bar) / 2;
    dc.FillSolidRect({ cx, r.top, cx + bar, r.bottom }, plat::RGB(0, 0, 0));
    dc.FillSolidRect({ r.left, cy, r.right, cy + bar }, plat::RGB(0, 0, 0));
}

}

void DrawLanes(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage)
{
    const int laneHeight = area.Height() / kLanes;
    if (!before) {
        dc.FillSolidRect(area, plat::RGB(0, 0, 0));
        for (int lane = 1; lane < kLanes; ++lane) {
            const int y = area.top + lane * laneHeight;
            dc.FillSolidRect({ area.left, y - 1, area.right, y + 1 }, kSeparator);
        }
        damage.Add(area);
    }
    for (int lane = 0; lane < kLanes; ++lane) {
        const plat::Rect next = LaneObject(area, lane, now);
        if (before) {
            const plat::Rect old = LaneObject(area, lane, *before);
            if (old.left == next.left)
                continue;
            dc.FillSolidRect(old, plat::RGB(0, 0, 0));
            damage.Add(old);
        }
        DrawObject(dc, next);
        damage.Add(next);
    }
}

}
