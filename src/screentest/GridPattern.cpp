// The geometry grid: white one-pixel lines every 64 pixels and along the
// last column and row, a circle and a cross in the middle, on black. The
// squares must look square and the circle round, the edge lines must all
// be visible: a monitor that scales, overscans or stretches the picture
// shows it here. The circle and the cross are green: on common widths the
// cross's vertical arm lies on a grid line and would not show in white.

#include "platform/gfx/GdiConstants.h"
#include "screentest/StepFrame.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kGridSpacing = 64;
// The circle's diameter is the screen's height less this.
constexpr int kCircleMargin = 64;
// Each arm of the cross beyond the centre pixel: 129 pixels from end to end.
constexpr int kCrossArm = 64;
constexpr plat::COLORREF kCentreColor = plat::RGB(0, 255, 0);

// The integer nearest to the square root of n >= 0 (never a tie for an integer n).
int NearestRoot(std::int64_t n)
{
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(n)));
    while (root * root > n)
        --root;
    while ((root + 1) * (root + 1) <= n)
        ++root;
    return static_cast<int>(n - root * root > root ? root + 1 : root);
}

// A one-pixel circle of `radius` around (cx, cy): for every column and
// every row it crosses, the pixel nearest to it, so it has no gaps.
void DrawCircle(plat::DeviceContext& dc, int cx, int cy, int radius, plat::COLORREF color)
{
    const std::int64_t r2 = static_cast<std::int64_t>(radius) * radius;
    for (int d = -radius; d <= radius; ++d) {
        const int k = NearestRoot(r2 - static_cast<std::int64_t>(d) * d);
        dc.SetPixel(cx + d, cy - k, color);
        dc.SetPixel(cx + d, cy + k, color);
        dc.SetPixel(cx - k, cy + d, color);
        dc.SetPixel(cx + k, cy + d, color);
    }
}

}

StepDrawn DrawGrid(const StepCanvas& canvas)
{
    return DrawStepFrame(canvas, MakeNoTool,
        [](plat::DeviceContext& dc, const plat::Rect& client, plat::COLORREF white, NoTool) {
            const int width = client.Width();
            const int height = client.Height();
            // The rows between horizontal lines are all alike: the first is
            // drawn and copied to the others, one pass over the screen.
            int between = -1;
            for (int y = 0; y < height; ++y) {
                if (y % kGridSpacing == 0 || y == height - 1) {
                    dc.FillSolidRect({ 0, y, width, y + 1 }, white);
                } else if (between >= 0) {
                    dc.BitBlt(0, y, width, 1, dc, 0, between, plat::SRCCOPY);
                } else {
                    between = y;
                    dc.FillSolidRect({ 0, y, width, y + 1 }, plat::RGB(0, 0, 0));
                    for (int x = 0; x < width; x += kGridSpacing)
                        dc.SetPixel(x, y, white);
                    dc.SetPixel(width - 1, y, white);
                }
            }

            const int cx = width / 2;
            const int cy = height / 2;
            const int radius = (height - kCircleMargin) / 2;
            if (radius > 0)
                DrawCircle(dc, cx, cy, radius, kCentreColor);
            dc.FillSolidRect({ cx - kCrossArm, cy, cx + kCrossArm + 1, cy + 1 }, kCentreColor);
            dc.FillSolidRect({ cx, cy - kCrossArm, cx + 1, cy + kCrossArm + 1 }, kCentreColor);
        });
}
