#include "platform/gfx/DeviceContext.h"
#include "screentest/MotionPatterns.h"

#include <algorithm>
#include <iterator>

namespace motion {

namespace {

constexpr int kBarWidth = 32;
// Background greys, in per cent of full scale.
constexpr int kGreys[] = { 10, 25, 50, 75, 90 };
constexpr int kBands = static_cast<int>(std::size(kGreys));

plat::COLORREF Grey(int percent)
{
    const auto v = static_cast<std::uint8_t>((percent * 255 + 50) / 100);
    return plat::RGB(v, v, v);
}

plat::Rect Band(const plat::Rect& area, int band)
{
    const int height = area.Height() / kBands;
    const int top = area.top + band * height;
    return { area.left, top, area.right, band == kBands - 1 ? area.bottom : top + height };
}

// The white bar (upper half) or black bar (lower half) of a band.
plat::Rect Bar(const plat::Rect& band, int left, bool white)
{
    const int middle = band.top + band.Height() / 2;
    return white ? plat::Rect { left, band.top, left + kBarWidth, middle } : plat::Rect { left, middle, left + kBarWidth, band.bottom };
}

}

void DrawGhosting(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage)
{
    const int x = WrappedLeft(now, area.left, area.Width() - kBarWidth);
    const int old = before ? WrappedLeft(*before, area.left, area.Width() - kBarWidth) : x;
    if (before && old == x)
        return;
    for (int b = 0; b < kBands; ++b) {
        const plat::Rect band = Band(area, b);
        if (!before) {
            dc.FillSolidRect(band, Grey(kGreys[b]));
        } else {
            for (bool white : { true, false }) {
                dc.FillSolidRect(Bar(band, old, white), Grey(kGreys[b]));
                damage.Add(Bar(band, old, white));
            }
        }
        for (bool white : { true, false }) {
            dc.FillSolidRect(Bar(band, x, white), white ? plat::RGB(255, 255, 255) : plat::RGB(0, 0, 0));
            damage.Add(Bar(band, x, white));
        }
    }
    if (!before)
        damage.Add(area);
}

}
